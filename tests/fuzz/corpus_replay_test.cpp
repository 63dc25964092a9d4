// Every committed fuzz input goes through its target again, as the fuzzer ran it: a target
// aborts when an invariant breaks, so a regression on a known input ends this test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/targets/fuzz_targets.h"

namespace nl {
namespace {

TEST(FuzzCorpusTest, EveryTargetReplaysItsCommittedCorpus) {
    const std::filesystem::path corpora = std::filesystem::path(NL_SOURCE_DIR) / "fuzz" / "corpus";
    for (const fuzz::Target& target : fuzz::Targets()) {
        SCOPED_TRACE(target.name);
        const std::filesystem::path folder = corpora / target.name;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << "every target has seed inputs";
        int replayed = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                                  std::istreambuf_iterator<char>());
            EXPECT_EQ(target.run(bytes.data(), bytes.size()), 0) << entry.path();
            ++replayed;
        }
        EXPECT_GT(replayed, 0);
    }
}

}  // namespace
}  // namespace nl
