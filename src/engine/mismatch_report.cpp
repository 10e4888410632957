#include "engine/mismatch_report.h"

#include "startup/message_box.h"

namespace pellandor {

void mismatch_report::start() {
    error_count = 0;
    error_report = "Memory Location,   Read Value,   Expected,";
    error_report += crlf;
}

bool mismatch_report::add(std::string_view location, std::string_view read_value,
                          std::string_view expected) {
    ++error_count;
    error_report.append(location).append(",   ").append(read_value).append(",   ");
    error_report.append(expected).append(",").append(crlf);
    return error_count == mismatch_limit;
}

} // namespace pellandor
