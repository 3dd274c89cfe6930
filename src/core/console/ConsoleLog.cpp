#include "core/console/ConsoleLog.h"

#include <cstdio>

namespace korva {

std::string LogLine(const LocalTime& t, const std::string& step, const std::string& result) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, t.millisecond);
    return std::string(stamp) + " | " + step + " | " + result + "\r\n";
}

void OutputLines::Add(const std::string& bytes) {
    pending_ += bytes;
    std::size_t start = 0;
    for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
        std::size_t length = end - start;
        if (length > 0 && pending_[end - 1] == '\r') --length;
        line_(pending_.substr(start, length));
    }
    pending_.erase(0, start);
}

void OutputLines::Finish() {
    if (pending_.empty()) return;
    if (pending_.back() == '\r') pending_.pop_back();
    line_(pending_);
    pending_.clear();
}

}  // namespace korva
