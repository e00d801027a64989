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

CMPIrc Recorder::admit(Returned::Kind kind)
{
    if (kind == Returned::Done) {
        done_ = true;
        return CMPI_RC_OK;
    }
    if (strict_ && !fits(kind))
        return CMPI_RC_ERR_NOT_SUPPORTED;
    if (strict_ && done_)
        return CMPI_RC_ERR_FAILED;
    return CMPI_RC_OK;
}

CMPIrc Recorder::offer(Returned&& item)
{
    return record(item.kind, [&](Returned& slot) { slot = std::move(item); });
}

}  // namespace vhost::broker
