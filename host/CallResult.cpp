#include "host/CallResult.h"

#include "host/RcNames.h"

namespace vhost {
namespace {

const char* kindName(Returned::Kind kind)
{
    switch (kind) {
    case Returned::Path: return "path";
    case Returned::Instance: return "instance";
    case Returned::Data: return "data";
    case Returned::Done: return "done";
    }
    return "?";
}

}  // namespace

std::vector<ObjectPath> CallResult::paths() const
{
    std::vector<ObjectPath> out;
    for (const Returned& item : sequence)
        if (item.kind == Returned::Path)
            out.push_back(item.path);
    return out;
}

std::vector<vhost::Instance> CallResult::instances() const
{
    std::vector<vhost::Instance> out;
    for (const Returned& item : sequence)
        if (item.kind == Returned::Instance)
            out.push_back(item.instance);
    return out;
}

std::vector<Value> CallResult::data() const
{
    std::vector<Value> out;
    for (const Returned& item : sequence)
        if (item.kind == Returned::Data)
            out.push_back(item.data);
    return out;
}

int CallResult::doneCount() const
{
    int count = 0;
    for (const Returned& item : sequence)
        count += item.kind == Returned::Done;
    return count;
}

std::string CallResult::kinds() const
{
    std::string out;
    for (const Returned& item : sequence)
        out += (out.empty() ? "" : ",") + std::string(kindName(item.kind));
    return out;
}

std::string CallResult::statusText() const
{
    std::string text = rcName(rc) + " (" + std::to_string(static_cast<int>(rc)) + ")";
    return message ? text + ": " + *message : text;
}

}  // namespace vhost
