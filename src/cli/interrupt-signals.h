// The signals that interrupt a job of murlo-cli: Ctrl+C, a polite kill, a closed terminal.
// The first one is only noted, for the job loop to suspend its job; a second one ends the
// program at once.
#pragma once

namespace murlo::cli {

void catchInterrupts();
// Back to the signals' default effect.
void releaseInterrupts();
// Whether a first signal came since catchInterrupts().
bool interruptRequested();

}  // namespace murlo::cli
