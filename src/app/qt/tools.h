#pragma once

namespace nl {

class CToolRegistry;

// Every tool of the program, registered once on first use.
const CToolRegistry& ProgramTools();

}  // namespace nl
