#pragma once

// Faults a unit injects into each control connection, for the reliability tests. Times are
// counted from the moment the connection was accepted; negative values disable a fault.
struct FaultPlan
{
    int silentAfterMs = -1;  // stop sending (the connection stays open, input is discarded)
    int dropAfterMs = -1;    // close the connection
    int garbageEveryMs = -1; // send a burst of 1..16 bytes that frame nothing
    int answerDelayMs = 0;   // hold every outgoing byte back this long, order kept
};
