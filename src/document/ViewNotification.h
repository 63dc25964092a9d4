#pragma once
#include <cstdint>

namespace nl {

// The type codes of the view notification, the one broadcast between the program's parts.
enum class ViewNotify : int {
    kHotKeysChanged = 1,
    kGridLinesChanged = 2,
    kPickingApplied = 3,
    kToolTipsChanged = 4,
    kZoomChanged = 5,
    kTimerTick = 6,
    kSaveState = 7,
    kColorInserted = 20,         // argument: index
    kColorRemoved = 21,          // argument: index
    kColorChanged = 22,          // argument: index
    kColorEntryUpdated = 23,     // argument: index; the entry's other fields, redrawn as 22
    kColorSelected = 24,         // argument: the index the list selected, -1 for none
    kColorSelectionWanted = 25,  // the list answers with kColorSelected
    kAllColorsRemoved = 30,
    kUnitOrNumberFormatChanged = 31,
    kDocumentReplaced = 32,
    kSamplingChanged = 33,  // the picks' sample size or statistic
    kCapturedImageChanged = 50,
};

// Receives view notifications. The broadcaster passes one notification to every sink.
class IViewNotifySink {
public:
    virtual ~IViewNotifySink() = default;
    virtual void OnViewNotify(ViewNotify type, std::intptr_t argument) = 0;
};

}  // namespace nl
