#ifndef VELMORA_SHARES_EXPORTGUARD_H
#define VELMORA_SHARES_EXPORTGUARD_H

#include <syslog.h>

#include <exception>
#include <utility>

// The exception barrier of the exported share functions: no exception of
// the library's own (std::bad_alloc from an endless file, say) may reach a C
// caller. It becomes the function's failure code and a LOG_ERR line. A share
// handler belongs to the caller: its exception passes through unchanged,
// which is why every handler call goes through callHandler.
namespace velmora {

// Carries a handler's exception through the barrier.
struct HandlerException {
    std::exception_ptr error;
};

template <typename Handler, typename... Args>
int callHandler(Handler handler, Args&&... args)
{
    try {
        return handler(std::forward<Args>(args)...);
    } catch (...) {
        throw HandlerException{std::current_exception()};
    }
}

// body() or, when it throws, failure. function names the caller in the log.
template <typename Body>
int guardExport(const char* function, int failure, Body&& body)
{
    try {
        return body();
    } catch (const HandlerException& handler) {
        std::rethrow_exception(handler.error);
    } catch (const std::exception& e) {
        syslog(LOG_ERR, "%s failed: %s", function, e.what());
    } catch (...) {
        syslog(LOG_ERR, "%s failed: unknown exception", function);
    }
    return failure;
}

}  // namespace velmora

#endif
