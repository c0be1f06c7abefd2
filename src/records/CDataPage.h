// The Data page: the section choice, the record list and the record editor.
#pragma once

#include "app/CChildDialog.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CFilterEdit;
class CPictureButtonBar;
class CTipWindow;
class DataPageViews;
class QComboBox;
class QListWidget;
class RecordEditor;

// The buttons of the command bar, top to bottom.
enum DataCommandButton { kSaveButton, kNewButton, kDeleteButton, kUndoButton, kViewButton, kCommandButtonCount };

class CDataPage : public CChildDialog {
    Q_OBJECT
public:
    explicit CDataPage(QWidget* parent);
    ~CDataPage() override;

    void SetTexts();
    void ResetPage();
    void FillFieldCombo();
    // The field choice holds items once a section is loaded.
    bool HasFieldChoice() const;
    void FillRecordList();

    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

    int m_bModified = 0;
    int m_bSelectView = 1;
    int m_nSection = 1;
    int m_nFieldCount = 3;
    int m_nListField = 0;
    int m_nCurRecord = -1;
    std::filesystem::path m_strDir;

    // The parts of the page, for the editor and for tests.
    QComboBox* FieldCombo() const;
    QListWidget* RecordList() const;
    CFilterEdit* FieldEdit(int field) const { return m_pEdits[static_cast<std::size_t>(field)]; }
    QWidget* FieldCaption(int field) const { return m_pCaptions[static_cast<std::size_t>(field)]; }
    CPictureButtonBar* CommandBar() const { return m_pCommandBar; }
    CPictureButtonBar* LockBar() const { return m_pLockBar; }
    CTipWindow* CommandTips() const { return m_pCommandTips.get(); }
    CTipWindow* LockTip() const { return m_pLockTip.get(); }
    RecordEditor& Editor() const { return *m_pEditor; }
    const DataPageViews& Views() const { return *m_pViews; }

    // Selects a list item as the program does: no record choice follows. -1 selects none.
    void SelectListItem(int index) const;
    void EnableCommand(DataCommandButton button, bool enable) const;

protected:
    bool event(QEvent* event) override;

private:
    void OnInitDialog();
    void CreateBars();
    void OnSectionChoice();
    bool AskToSaveChanges();
    void ReportLoadProblems(bool damaged, const std::vector<std::size_t>& shortened);
    void ClearList();
    void OnOK();
    void OnFieldChoice(int index);
    void OnRecordChoice();
    void ChooseRecord(int index);
    void OnView();
    void OnSave();
    bool IsFieldEdit(const QWidget* widget) const;

    std::array<CFilterEdit*, 3> m_pEdits{};
    std::array<QWidget*, 3> m_pCaptions{};
    CPictureButtonBar* m_pCommandBar = nullptr;
    CPictureButtonBar* m_pLockBar = nullptr;
    std::unique_ptr<CTipWindow> m_pCommandTips;
    std::unique_ptr<CTipWindow> m_pLockTip;
    std::unique_ptr<RecordEditor> m_pEditor;
    std::unique_ptr<DataPageViews> m_pViews;
};

extern CDataPage* g_pDataPage;
