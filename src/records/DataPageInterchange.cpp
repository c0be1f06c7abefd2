// The Data page's way to the user's other programs: the record list's context menu and dropped files.
#include "records/DataPageInterchange.h"

#include "app/AtomicFile.h"
#include "app/CMessageBoxDlg.h"
#include "app/FileBytes.h"
#include "app/Texts.h"
#include "controls/PcString.h"
#include "records/CDataPage.h"
#include "records/RecordEditor.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

// The PC's line break, as the message boxes show it.
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::size_t kNotesShown = 5; // records named per kind of change before "..."

QString AskForFile(QWidget* parent, bool save, const QString& filters) {
    const QString caption = PcToQString(LoadText(save ? "140" : "141"));
    if (!save)
        return QFileDialog::getOpenFileName(parent, caption, QString(), filters);
    QString chosenType;
    QString file = QFileDialog::getSaveFileName(parent, caption, QString(), filters, &chosenType);
    // A name typed without an extension takes the one of the file type chosen in the dialog.
    const qsizetype pattern = chosenType.indexOf(QLatin1String("*."));
    if (!file.isEmpty() && !InterchangeFormatOfFile(file.toStdString()) && pattern >= 0)
        file += chosenType.mid(pattern + 1, chosenType.indexOf(QLatin1Char(')'), pattern) - pattern - 1);
    return file;
}

DataPageInterchange::FileQuestion& FileQuestionInUse() {
    static DataPageInterchange::FileQuestion question = AskForFile;
    return question;
}

std::vector<InterchangeFormat> SectionFormats(int section) {
    std::vector<InterchangeFormat> formats;
    for (InterchangeFormat format : {InterchangeFormat::VCard, InterchangeFormat::ICalendar, InterchangeFormat::Csv})
        if (InterchangeFormatFits(format, section))
            formats.push_back(format);
    return formats;
}

const char* FilterKey(InterchangeFormat format) {
    switch (format) {
    case InterchangeFormat::VCard:
        return "142";
    case InterchangeFormat::ICalendar:
        return "143";
    case InterchangeFormat::Csv:
        break;
    }
    return "144";
}

// The dropped files the page can take: local files of a format it knows.
QStringList DroppedFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && InterchangeFormatOfFile(url.toLocalFile().toStdString()))
            files << url.toLocalFile();
    return files;
}

} // namespace

DataPageInterchange::DataPageInterchange(CDataPage& page) : QObject(&page), m_page(page) {
    QListWidget* list = page.RecordList();
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &DataPageInterchange::ShowMenu);
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

void DataPageInterchange::SetFileQuestion(FileQuestion question) {
    FileQuestionInUse() = question ? std::move(question) : AskForFile;
}

QString DataPageInterchange::Filters() const {
    QStringList filters;
    for (InterchangeFormat format : SectionFormats(m_page.m_nSection))
        filters << PcToQString(LoadText(FilterKey(format)));
    return filters.join(QStringLiteral(";;"));
}

void DataPageInterchange::ShowMenu(const QPoint& pos) {
    QMenu menu(m_page.RecordList());
    QAction* exportAction = menu.addAction(PcToQString(LoadText("140")));
    QAction* importAction = menu.addAction(PcToQString(LoadText("141")));
    QAction* chosen = menu.exec(m_page.RecordList()->viewport()->mapToGlobal(pos));
    if (chosen == exportAction)
        Export();
    else if (chosen == importAction)
        Import();
}

void DataPageInterchange::Export() {
    QString file = FileQuestionInUse()(&m_page, true, Filters());
    if (file.isEmpty())
        return;
    // A name typed without a known extension gets the section's first format.
    if (!InterchangeFormatOfFile(file.toStdString()))
        file += QString::fromLatin1(InterchangeExtension(SectionFormats(m_page.m_nSection).front()));
    ExportTo(file);
}

void DataPageInterchange::Import() {
    const QString file = FileQuestionInUse()(&m_page, false, Filters());
    if (!file.isEmpty())
        ImportFrom(file);
}

bool DataPageInterchange::CommitEditor() const {
    if (!m_page.Editor().CheckRecord())
        return false;
    if (g_bNewRecord || g_bEdited) {
        m_page.Editor().CommitRecord();
        m_page.FillRecordList();
        m_page.Editor().TakeSnapshot();
    }
    return true;
}

void DataPageInterchange::ExportTo(const QString& file) {
    const std::optional<InterchangeFormat> format = InterchangeFormatOfFile(file.toStdString());
    if (!format || !InterchangeFormatFits(*format, m_page.m_nSection)) {
        ShowMessage(IDI_HAND, LoadText("145"));
        return;
    }
    if (!CommitEditor())
        return;
    std::vector<std::string> captions;
    for (int f = 0; f < SectionFieldCount(m_page.m_nSection); ++f)
        captions.push_back(LoadText(FieldCaptionKey(m_page.m_nSection, f)));
    if (!WriteFileAtomically(file.toStdString(), ExportRecords(g_records, m_page.m_nSection, *format, captions)))
        ShowMessage(IDI_HAND, LoadText("146"));
}

void DataPageInterchange::ImportFrom(const QString& file) {
    const std::optional<InterchangeFormat> format = InterchangeFormatOfFile(file.toStdString());
    if (!format || !InterchangeFormatFits(*format, m_page.m_nSection)) {
        ShowMessage(IDI_HAND, LoadText("145"));
        return;
    }
    const std::optional<std::string> bytes = ReadFileBytes(file.toStdString());
    if (!bytes) {
        ShowMessage(IDI_HAND, LoadText("147"));
        return;
    }
    ImportResult result = ImportRecords(*bytes, m_page.m_nSection, *format);
    if (!result.error.empty()) {
        ShowMessage(IDI_HAND, LoadText("148") + ' ' + std::to_string(result.errorLine));
        return;
    }
    if (!CommitEditor())
        return;
    const std::size_t listed = g_records.size();
    result.report.leftOut += AppendNewRecords(g_records, result.records);
    if (g_records.size() > listed)
        m_page.m_bModified = 1;
    if (m_page.m_nCurRecord < 0 && !g_records.empty())
        m_page.m_nCurRecord = 0;
    m_page.FillRecordList();
    m_page.Editor().ShowRecord();
    m_page.Editor().TakeSnapshot();
    ShowMessage(IDI_ASTERISK, ReportText(result.report));
}

std::string DataPageInterchange::ReportText(const ImportReport& report) const {
    auto records = [](auto notes) {
        std::string named;
        for (std::size_t i = 0; i < notes.size() && i < kNotesShown; ++i)
            named += (i ? ", " : " ") + std::to_string(notes[i].record);
        return named + (notes.size() > kNotesShown ? ", ..." : "");
    };
    std::string text = LoadText("149") + ' ' + std::to_string(report.read);
    if (!report.cut.empty())
        ((text += kLineBreak) += LoadText("155")) += records(report.cut);
    if (report.folded)
        ((text += kLineBreak) += LoadText("156") + ' ') += std::to_string(report.folded);
    if (!report.refused.empty())
        ((text += kLineBreak) += LoadText("157")) += records(report.refused);
    if (report.leftOut)
        ((text += kLineBreak) += LoadText("158") + ' ') += std::to_string(report.leftOut);
    if (report.firstOccurrences)
        ((text += kLineBreak) += LoadText("159") + ' ') += std::to_string(report.firstOccurrences);
    return text;
}

void DataPageInterchange::ShowMessage(int icon, const std::string& pcText) const {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    PrepareMessageBox(icon, LoadText("35"), "", pcText);
    g_msgBoxLarge.DoModal();
}

bool DataPageInterchange::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFiles(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->acceptProposedAction();
        for (const QString& file : files)
            ImportFrom(file);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
