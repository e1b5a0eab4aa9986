#include "platform/mci_media.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32_text.h"

namespace sc::platform {

namespace {

constexpr UINT kReplyLength = 256;

class MciMedia final : public MediaControl {
public:
    ~MciMedia() override { ::mciSendStringW(L"close all", nullptr, 0, nullptr); }

    // The reply of a command that failed is "" (read as 0), as on every
    // other platform.
    std::string send(const std::string& command) override {
        wchar_t reply[kReplyLength + 1] = {};
        if (::mciSendStringW(widen(command).c_str(), reply, kReplyLength, nullptr) != 0) return {};
        return narrow(reply);
    }
};

}  // namespace

std::unique_ptr<MediaControl> make_mci_media() { return std::make_unique<MciMedia>(); }

}  // namespace sc::platform
