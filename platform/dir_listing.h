// A folder read as the lines of a directory listing in the German layout:
// "dd.mm.yyyy  hh:mm" with the size right-aligned behind it and the name
// from character 37 on; and the local date and time.
#pragma once

#include <string>
#include <vector>

namespace sc::platform {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class DirectoryLister {
public:
    virtual ~DirectoryLister() = default;
    // One line per file of the folder (sub-folders and hidden files left
    // out), with its modification time, in name order.
    virtual std::vector<std::string> lines(const std::string& folder) = 0;
    virtual LocalTime now() = 0;
};

DirectoryLister& real_directory_lister();

// The line of one entry.
std::string directory_line(const LocalTime& modified, unsigned long long size, const std::string& name);

}  // namespace sc::platform
