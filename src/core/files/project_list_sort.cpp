#include "files/project_list_sort.h"

#include <algorithm>
#include <ctime>

#include "files/date_time_text.h"

namespace spurwerk {

namespace {

// The text of `length` characters after the first `marker`; empty without one.
std::string KeyAfter(const std::string& line, const std::string& marker, std::size_t length) {
    std::size_t at = line.find(marker);
    if (at == std::string::npos) return "";
    return line.substr(at + marker.size(), length);
}

int Sign(int n) { return (n > 0) - (n < 0); }

int CompareKeys(const std::string& a, const std::string& b, ListSortType type, int referenceYear) {
    switch (type) {
        case ListSortType::FileDate: {
            std::string ka = KeyAfter(a, "## ", 17), kb = KeyAfter(b, "## ", 17);
            if (ka == kb) return 0;
            // A key that is no date (a batch line's remark) counts as the earliest time.
            std::int64_t ta = ParseListDateTime(ka, referenceYear).value_or(0);
            std::int64_t tb = ParseListDateTime(kb, referenceYear).value_or(0);
            return ta == tb ? 0 : (ta > tb ? -1 : 1);
        }
        case ListSortType::ProjectName:
            return Sign(KeyAfter(a, "ZDT-Proj.: \"", 10).compare(KeyAfter(b, "ZDT-Proj.: \"", 10)));
        case ListSortType::AudioTime: return -Sign(KeyAfter(a, " [t=", 11).compare(KeyAfter(b, " [t=", 11)));
        case ListSortType::DirFile: return 0;
    }
    return 0;
}

int CurrentYear() {
    std::time_t now = std::time(nullptr);
    return ToLocalDateTime(now).year;
}

}  // namespace

int CompareListLines(const std::string& a, const std::string& b, ListSortType type, bool reverse,
                     int referenceYear) {
    int result = CompareKeys(a, b, type, referenceYear);
    if (result == 0) result = Sign(a.compare(b));
    return reverse ? -result : result;
}

void SortListLines(std::vector<std::string>& lines, ListSortType type, bool reverse) {
    int year = CurrentYear();
    std::stable_sort(lines.begin(), lines.end(), [&](const std::string& a, const std::string& b) {
        return CompareListLines(a, b, type, reverse, year) < 0;
    });
}

}  // namespace spurwerk
