#pragma once
// Faults a test (or a trainer) can switch on in the simulated device. A negative count means "off".
// SimOutput reads the output part, SimFrameSession the raw-mode part.

#include <cstdint>

namespace tesso::sim
{

struct FaultOptions {
    int silenceAfterReplies = -1;    // after this many reply lines the device sends nothing more
    int noiseBytes = 0;              // a line of this many garbage bytes before each reply but the first
    int chunkSize = 0;               // output written in pieces of at most this many bytes
    int chunkGapMs = 5;              // pause between two pieces
    int replyDelayMs = 0;            // every output held back this long
    int paceEveryBlocks = 0;         // during a frame transfer, ESC DC3 after every N blocks ...
    int paceHoldMs = 50;             // ... and ESC DC1 this long after it
    bool noReadySignal = false;      // raw mode never sends ESC DC1
    int abortAfterBlocks = -1;       // raw mode sends the abort code after this many blocks
    int endAfterBlocks = -1;         // raw mode sends its end code instead of the Nth block's ACK
    int disconnectAfterReplies = -1; // the stream link drops the client after this many replies
    std::uint32_t noiseSeed = 1;
};

} // namespace tesso::sim
