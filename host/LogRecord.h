#ifndef VELMORA_HOST_LOGRECORD_H
#define VELMORA_HOST_LOGRECORD_H

#include <string>

namespace vhost {

// One eft->logMessage or eft->trace call as the host recorded it. `level`
// is the severity (logMessage) or the trace level (trace) as passed; `id` is
// the message id or trace component; `text` is the text argument, or the
// CMPIString's text when the text argument was NULL.
struct LogRecord {
    enum Kind { Log, Trace } kind = Log;
    int level = 0;
    std::string id;
    std::string text;
};

}  // namespace vhost

#endif
