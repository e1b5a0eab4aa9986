// The takes of the DIGAS broadcast system: its sound folder holds ".mus"
// files, each with a description file of the same name ending in "dbx".
// The folder is read as directory lines in the German "dir" layout (day,
// month, year, hour, minute, the file name from character 37 on).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sc {

inline constexpr int DIGAS_MAX_LINES = 1000;
inline constexpr int DIGAS_MAX_TAKES = 25;
inline constexpr int DIGAS_MAX_AGE_DAYS = 100;

struct CivilDate {
    int year = 0, month = 0, day = 0;
};

// Days since 1970-01-01 of a calendar date.
int64_t days_of(const CivilDate& d);

// The date of a directory line (characters 1-2 day, 4-5 month, 7-10 year);
// nothing when they are not digits.
std::optional<CivilDate> line_date(const std::string& line);
// The sort key year + month + day + hour + minute, as text.
std::string line_key(const std::string& line);
// The file name: the line without its first 36 characters.
std::string line_file_name(const std::string& line);

// The lines naming ".mus" files (case ignored) younger than 100 days,
// at most 1000, in the order given.
std::vector<std::string> recent_takes(const std::vector<std::string>& lines, const CivilDate& today);

// Newest first by the sort key, by pairwise exchange. poll is asked once
// per outer step; when it answers true the sort is abandoned and false
// returned.
template <class Poll>
bool sort_newest_first(std::vector<std::string>& lines, Poll poll) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (poll()) return false;
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            if (line_key(lines[i]) < line_key(lines[j])) std::swap(lines[i], lines[j]);
    }
    return true;
}

struct TakeDescription {
    std::string title = "---";
    std::string length = "---";
};

// Title and length from the text of a description file: the line that
// begins with "<TITLE>" carries the title between its tags, "&quot;"
// standing for a quotation mark; the line that begins with "<LENGTH>"
// carries the length.
TakeDescription parse_description(const std::string& text);

// The description file of a take: its last 3 characters replaced by "dbx".
std::string description_name(const std::string& take_name);

// The name of the copy of a take: DIGAS folder + year_month_day__hh h_
// mm m_ss s__DIG_SONOCLAMPER.mp3 (two digits each, year four).
std::string take_copy_name(const std::string& folder, const CivilDate& date, int hour, int minute, int second);

}  // namespace sc
