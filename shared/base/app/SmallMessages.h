// The small server messages that set one value, forward to one module or
// answer with one client message (the held-item flag, the server's move,
// the edit-server check, the version queries) and the ones the client reads
// and does nothing with.
#pragma once

// Registers their handlers in the packet table.
void InstallSmallMessageHandlers();
