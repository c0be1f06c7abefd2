// Moving a whole section file over the link: download from the handheld,
// upload to it.
#pragma once

#include "link/LinkProtocol.h"
#include "link/TransferPage.h"

// The largest packet the PC takes from the handheld.
inline constexpr int kPacketBufferSize = 2400;
// The name of the file a download is collected in before it replaces the
// section file; it lies beside the section files, so that the replacement is
// one rename.
inline constexpr char kDownloadTemporaryName[] = "x486t.$$$";

// Receives the packets the handheld sends and, after the last one, puts them
// in place of the file of the section they name. The old file stays until the
// new one is complete, and then goes to the backups. False when stopped or
// when the handheld announces a packet larger than the PC can take; the
// section file is then untouched. Received bytes that cannot take the file's
// place are kept beside it, and a message names where.
bool ReceiveSectionFile(LinkProtocol& link, TransferPage& page);

// Sends the current section's file packet by packet, unchanged. A file that is
// missing or damaged (a packet cut short, a length field below the header's
// size, no last packet) is refused before anything is sent.
bool SendSectionFile(LinkProtocol& link, TransferPage& page);
