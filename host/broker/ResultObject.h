#ifndef VELMORA_HOST_BROKER_RESULTOBJECT_H
#define VELMORA_HOST_BROKER_RESULTOBJECT_H

#include <memory>
#include <string>

#include "cmpi/cmpift.h"
#include "host/broker/BrokerObject.h"
#include "host/broker/Recorder.h"

namespace vhost::broker {

// The CMPIResult of one MI call: each returned item is copied at once into
// the call's Recorder, so the provider may release its object afterwards.
// The result belongs to the host: release() is harmless and clone() is not
// offered (OpenPegasus has neither). returnError answers NOT_SUPPORTED, as
// this broker makes no CMPIError objects; the sparse table leaves it NULL.
class ResultObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::Result;

    ResultObject(BrokerState& state, Recorder& recorder);

    CMPIResult* cmpi() { return &face_; }
    Recorder& recorder() const { return recorder_; }

    std::unique_ptr<ResultObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return "CMPIResult"; }

private:
    CMPIResult face_;
    Recorder& recorder_;
};

}  // namespace vhost::broker

#endif
