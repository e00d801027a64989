#ifndef VELMORA_COMMON_EXPORT_H
#define VELMORA_COMMON_EXPORT_H

// The library is built with hidden visibility; only what carries this mark
// leaves libvelmora.so.0 (the factories, basevelmora, the documented free
// functions and the CLI share functions).
#define VELMORA_EXPORT __attribute__((visibility("default")))

#endif
