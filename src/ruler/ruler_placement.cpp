#include "ruler/ruler_placement.h"

#include "base/command_ids.h"

namespace nl {

bool RulerCommandNeedsPlacement(int command) {
    if (command >= cmd::kCursorLeft && command <= cmd::kCursorDown) return true;
    return command == cmd::kRulerArrange || command == cmd::kRulerMoveToCursor ||
           command == cmd::kRulerMoveCursorToRuler;
}

}  // namespace nl
