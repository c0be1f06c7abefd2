// A transfer as the user starts it: the port, the instructions, the locked
// program, the worker, the result and the clean-up.
#pragma once

#include "link/LinkClock.h"
#include "link/LinkHost.h"
#include "link/SerialLine.h"
#include "link/TransferPage.h"

enum class TransferDirection { Upload, Download };

// The instructions shown before a transfer, built from the profile's texts.
std::string PromptText(TransferDirection direction, TransferPage& page);

// Runs one transfer from start to end. True when it completed. The port is
// closed afterwards, except when it could not be opened or the user cancelled
// at the instructions (it then stays open until the next open).
bool RunTransfer(TransferDirection direction, TransferPage& page, SerialLine& line, LinkClock& clock, LinkHost& host);
