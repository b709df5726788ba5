// x86_64 has one calling convention, in which the caller owns the stack: nothing to probe.
#include "tests/helptext/StackProbe.h"

namespace ts {

const bool kCalleeRemovesArguments = false;

ProbedCall CallAndMeasureStack(HelpTextFn fn, int tipNr, int helpKind) { return {fn(tipNr, helpKind), 0}; }

} // namespace ts
