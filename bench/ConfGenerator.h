#ifndef VELMORA_BENCH_CONFGENERATOR_H
#define VELMORA_BENCH_CONFGENERATOR_H

#include <string>

// Realistic smb.conf files for the benchmarks: a [global] section like a
// file server's, then `shares` share sections, each with a comment and five
// or six further parameters, indented as Debian's template indents them and
// separated by blank lines, e.g.
//
//   [proj00042]
//      comment = Project share 42
//      path = /srv/shares/proj00042
//      ...
namespace bench {

// The name of share number index (0-based): "proj00042" for 42.
std::string shareName(int index);

// The whole file for shares share sections, deterministic for a size.
std::string generateSmbConf(int shares);

}  // namespace bench

#endif
