// Feeds arbitrary bytes to every archive reader: strings, counts, tables, dates and object arrays.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/CArchive.h"
#include "fuzz/targets/fuzz_targets.h"

namespace {

struct Record {
    std::uint32_t value = 0;
    std::string text;
    void Serialize(nl::CArchive& ar) {
        ar.Io(value);
        ar.Io(text);
    }
};

}  // namespace

int nl::fuzz::Archive(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the sequence of reads, the rest is the archive.
    const std::uint8_t selector = data[0];
    nl::CArchive ar(std::span<const std::uint8_t>(data + 1, size - 1), "fuzz.dat");
    try {
        for (int step = 0; step < 8; ++step) {
            switch ((selector >> (step % 4 * 2)) & 3) {
                case 0:
                    (void)ar.ReadString();
                    break;
                case 1:
                    (void)ar.ReadStringTable();
                    break;
                case 2:
                    (void)ar.ReadDwordTable();
                    (void)ar.ReadDate();
                    break;
                default: {
                    std::vector<std::unique_ptr<Record>> items;
                    ar.ObjectArray(items, "CRecord", 1);
                    break;
                }
            }
        }
    } catch (const nl::CArchiveException&) {
    }
    return 0;
}
