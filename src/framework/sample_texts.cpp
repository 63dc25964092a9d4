#include "framework/sample_texts.h"

#include "base/StringTable.h"
#include "base/string_ids.h"

namespace nl {

std::string SampleSizeText(int size) {
    return FormatString(kIdsSampleSize, {std::to_string(size)});
}

std::string SampleStatText(SampleStat stat) {
    return LoadStringRow(kIdsSampleStatNames, static_cast<std::size_t>(stat));
}

std::string SampleMethodText(const SampleMethod& method) {
    return FormatString(kIdsColPropSampledValue,
                        {SampleSizeText(method.size), SampleStatText(method.stat)});
}

}  // namespace nl
