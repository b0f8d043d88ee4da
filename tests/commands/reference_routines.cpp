// The textio reference routines (tests/textio/reference), built into the
// command tests for the commands' differential test.
#include "textio/reference_routines.cpp"
