// The Data page's way to the user's other programs: the record list's context menu ("Export ...",
// "Import ...") and files dropped on the list.
#pragma once

#include "records/Interchange.h"

#include <QObject>
#include <QString>

#include <functional>

class CDataPage;
class QPoint;

// An import adds the file's records after the listed ones, leaving out those already there, and
// leaves the section changed for the user to save as usual; a report says what was read and what
// had to be fitted to the handheld. An export writes the listed records as they are in memory,
// saved or not.
class DataPageInterchange : public QObject {
    Q_OBJECT
public:
    explicit DataPageInterchange(CDataPage& page);

    // The file dialogs: the program's asks the user; tests answer with a file name. filters are the
    // dialog's file type choices; an empty answer is Cancel.
    using FileQuestion = std::function<QString(QWidget* parent, bool save, const QString& filters)>;
    static void SetFileQuestion(FileQuestion question);

    void Export();
    void Import();
    void ExportTo(const QString& file);
    void ImportFrom(const QString& file);

    // The file types the loaded section goes to, for the dialogs.
    QString Filters() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMenu(const QPoint& pos);
    void ShowMessage(int icon, const std::string& pcText) const;
    std::string ReportText(const ImportReport& report) const;
    bool CommitEditor() const;

    CDataPage& m_page;
};
