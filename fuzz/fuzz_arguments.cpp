// quenlar-ctl's command line: options, then FIELD=VALUE assignments, from arbitrary words.
#include "CtlOptions.h"
#include "FieldAssignments.h"

#include <string>
#include <vector>

using namespace quenlar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    std::string error;
    (void)ctl::parseCtlOptions(words, error);
    error.clear();
    if (auto assignments = ctl::parseFieldAssignments(words, error)) {
        KeyboardState state;
        ctl::applyFieldAssignments(*assignments, state);
    }
    return 0;
}
