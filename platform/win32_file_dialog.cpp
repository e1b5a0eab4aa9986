// The common file dialogs of Windows for opening and saving.
#include "platform/win32_file_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/win32_text.h"

namespace sc::platform {

namespace {

constexpr DWORD kNameBuffer = 2048;

// "label\0pattern\0 ... \0\0".
std::wstring filter_list(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const FileFilter& f : filters) {
        list += widen(f.label);
        list.push_back(L'\0');
        list += widen(f.pattern);
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

// The folder as the dialog takes it: absolute, with backslashes.
std::wstring dialog_folder(const std::string& folder) {
    std::wstring given = widen(folder.empty() ? "." : folder);
    for (wchar_t& c : given)
        if (c == L'/') c = L'\\';
    wchar_t full[MAX_PATH * 4];
    const DWORD n = ::GetFullPathNameW(given.c_str(), MAX_PATH * 4, full, nullptr);
    return n > 0 && n < MAX_PATH * 4 ? std::wstring(full, n) : given;
}

class Win32FileDialog final : public FileDialog {
public:
    explicit Win32FileDialog(void* owner) : owner_(owner) {}

    std::string choose(const FileDialogRequest& request) override {
        const std::wstring title = widen(request.title);
        const std::wstring filters = filter_list(request.filters);
        const std::wstring folder = dialog_folder(request.initial_folder);
        std::wstring extension = widen(request.default_extension);
        if (!extension.empty() && extension[0] == L'.') extension.erase(0, 1);
        std::wstring name(kNameBuffer, L'\0');
        std::wstring name_title(kNameBuffer, L'\0');

        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner_ ? static_cast<HWND>(owner_) : ::GetActiveWindow();  // modal over the window
        ofn.lpstrFilter = filters.c_str();
        ofn.nFilterIndex = static_cast<DWORD>(request.filter_index);
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = kNameBuffer;
        ofn.lpstrFileTitle = name_title.data();
        ofn.nMaxFileTitle = kNameBuffer;
        ofn.lpstrInitialDir = folder.c_str();
        ofn.lpstrTitle = title.c_str();
        BOOL chosen;
        if (request.save) {
            if (!extension.empty()) ofn.lpstrDefExt = extension.c_str();
            ofn.Flags = OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
            chosen = ::GetSaveFileNameW(&ofn);
        } else {
            ofn.Flags = OFN_LONGNAMES | OFN_NODEREFERENCELINKS | OFN_EXPLORER | OFN_CREATEPROMPT | OFN_HIDEREADONLY;
            chosen = ::GetOpenFileNameW(&ofn);
        }
        if (!chosen) return {};
        return narrow(name.c_str());
    }

private:
    void* owner_;
};

}  // namespace

std::unique_ptr<FileDialog> make_win32_file_dialog(void* owner) { return std::make_unique<Win32FileDialog>(owner); }

}  // namespace sc::platform
