#ifndef VELMORA_HOST_BROKER_FACETABLE_H
#define VELMORA_HOST_BROKER_FACETABLE_H

#include <cstddef>
#include <vector>

namespace vhost::broker {

class BrokerObject;

// The live objects by the address of their CMPI face: an open-addressing
// table (linear probing, deletion by shifting back) that allocates only
// when it grows, so registering an object costs no heap node. Not locked:
// the caller serialises access.
class FaceTable {
public:
    void insert(const void* face, BrokerObject* object);
    void erase(const void* face);
    // nullptr when face is not registered.
    BrokerObject* find(const void* face) const;

private:
    struct Slot {
        const void* face = nullptr;  // nullptr: empty
        BrokerObject* object = nullptr;
    };

    size_t home(const void* face) const;
    void grow();

    std::vector<Slot> slots_;  // a power of two, at most half full
    size_t size_ = 0;
};

}  // namespace vhost::broker

#endif
