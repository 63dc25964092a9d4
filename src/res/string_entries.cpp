#include "res/string_entries.h"

namespace nl {
namespace {

// The string table, sorted by number. Rows of a table string are separated by line feeds.
constexpr StringEntry kEntries[] = {
    {1001, "NerimLens"},
    {2008,
     "0\nCMYK\n%d, %d, %d, %d\n"
     "1\nHSL\n%d, %d, %d\n"
     "2\nHSV\n%d, %d, %d\n"
     "3\nHTML\n%02X%02X%02X\n"
     "4\n#HTML\n#%02X%02X%02X\n"
     "5\nhtml\n%02x%02x%02x\n"
     "6\n#html\n#%02x%02x%02x\n"
     "7\nRGB 0-1\n%0.2f, %0.2f, %0.2f\n"
     "8\nRGB 0-255\n%d, %d, %d"},
    {2010,
     "0\nPixel\npx\n%.0f\n"
     "1\nPica\npc\n%.2f\n"
     "2\nPoint\npt\n%.2f\n"
     "3\nTwip\ntw\n%.0f\n"
     "4\nCentimeter\ncm\n%.2f\n"
     "5\nInch\nin\n%.2f\n"
     "6\nDialog Base\ndbu\n%.2f\n"
     "7\nDialog\ndlu\n%.2f"},
    {25260, "Error #%1: %2"},
    {25266, "Error #%1: %2\n\nData: %3"},
    {57344, "NerimLens"},
    {57345, "Ready"},
    {61443, "Untitled"},
    {61697, "Save changes to %1?"},
    {61705, "Enter an integer between %1 and %2."},
    {61706, "Attempted an unsupported operation."},
    {61720, "%1 has a bad format."},
    {61721, "Attempted to access %1 past its end."},
    {61722, "an unnamed file"},
    {61858, "Unable to write to %1, it is read-only or opened by someone else."},
};

}  // namespace

std::span<const StringEntry> StringEntries() { return kEntries; }

}  // namespace nl
