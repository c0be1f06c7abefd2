// A transfer as the user starts it.
#include "link/TransferSequence.h"

#include "link/LinkProtocol.h"
#include "link/SectionTransfer.h"

std::string PromptText(TransferDirection direction, TransferPage& page) {
    const std::string lineBreak = "\r\n";
    const bool upload = direction == TransferDirection::Upload;
    std::string body = page.Text(upload ? "13" : "12") + lineBreak + lineBreak + page.Text("98") + " " +
                       page.Text("99") + lineBreak + page.Text(upload ? "91" : "90") + lineBreak + lineBreak +
                       page.Text("92");
    return body + (upload ? "." : lineBreak);
}

bool RunTransfer(TransferDirection direction, TransferPage& page, SerialLine& line, LinkClock& clock, LinkHost& host) {
    const bool upload = direction == TransferDirection::Upload;
    if (!page.OpenPort()) {
        page.ShowMessage(MessageIcon::Failure, page.Text("47"));
        return false;
    }
    page.ShowProgress(upload);
    if (!page.Prompt(PromptText(direction, page))) {
        page.HideProgress(upload);
        return false;
    }
    page.LockProgram(true);
    LinkProtocol link(line, clock, host);
    bool completed = upload ? SendSectionFile(link, page) : ReceiveSectionFile(link, page);
    if (completed)
        page.ShowMessage(MessageIcon::Information, page.Text(upload ? "65" : "66"));
    else
        page.ShowMessage(MessageIcon::Failure, page.Text(upload ? "67" : "68"));
    page.LockProgram(false);
    page.HideProgress(upload);
    page.ClosePort();
    return completed;
}
