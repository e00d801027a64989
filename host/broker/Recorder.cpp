#include "host/broker/Recorder.h"

namespace vhost::broker {

bool Recorder::fits(Returned::Kind kind) const
{
    switch (operation_) {
    case Operation::EnumInstanceNames:
    case Operation::CreateInstance:
        return kind == Returned::Path;
    case Operation::EnumInstances:
    case Operation::GetInstance:
    case Operation::ExecQuery:
        return kind == Returned::Instance;
    case Operation::InvokeMethod:
        return kind == Returned::Data;
    case Operation::ModifyInstance:
    case Operation::DeleteInstance:
        return false;
    case Operation::Any:
        return true;
    }
    return false;
}

CMPIrc Recorder::offer(Returned&& item)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (item.kind == Returned::Done) {
        done_ = true;
        result_.sequence.push_back(std::move(item));
        return CMPI_RC_OK;
    }
    if (strict_ && (!fits(item.kind) || done_)) {
        const CMPIrc rc = fits(item.kind) ? CMPI_RC_ERR_FAILED : CMPI_RC_ERR_NOT_SUPPORTED;
        result_.rejected.push_back(std::move(item));
        return rc;
    }
    result_.sequence.push_back(std::move(item));
    return CMPI_RC_OK;
}

}  // namespace vhost::broker
