// A fresh process's state against the session reset, field by field: the state every
// test starts from (after the reset) must be the state the program starts in. The
// per-context caches too: the reset must forget them as a fresh process has none.
#include "app/session.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Snapshot {
    std::string name;
    std::vector<unsigned char> bytes;
};

std::vector<Snapshot> snapshot() {
    FieldList fields;
    list_session_fields(&fields);
    list_context_caches(&fields);
    std::vector<Snapshot> out;
    for (const StateValue& v : fields) {
        const auto* at = static_cast<const unsigned char*>(v.at);
        out.push_back(Snapshot{v.name, std::vector<unsigned char>(at, at + v.size)});
    }
    return out;
}

} // namespace

int main() {
    const std::vector<Snapshot> fresh = snapshot();
    reset_session();
    const std::vector<Snapshot> reset = snapshot();
    if (fresh.size() != reset.size()) {
        fprintf(stderr, "the field lists differ in length: %zu and %zu\n", fresh.size(), reset.size());
        return 1;
    }
    int differing = 0;
    for (size_t i = 0; i < fresh.size(); ++i) {
        if (fresh[i].name == reset[i].name && fresh[i].bytes == reset[i].bytes) continue;
        fprintf(stderr, "%s differs between a fresh process and the reset\n", fresh[i].name.c_str());
        ++differing;
    }
    printf("%zu fields compared, %d differ\n", fresh.size(), differing);
    return differing == 0 ? 0 : 1;
}
