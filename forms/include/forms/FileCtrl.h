// The drive box and the directory list.
//
// Their contents come from the host's drives through two hooks the program installs (the
// framework itself knows no drives): SetDriveSource lists the drives with their display texts,
// SetDirectorySource lists the subdirectories of a DOS directory and resolves a drive's current
// directory. Without hooks the drive box is empty and the list shows only the path it is given.
#pragma once

#include "StdCtrls.h"

#include <vector>

#include <QImage>

class QComboBox;
class QListWidget;

enum TDriveType { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };

struct TDriveEntry {
    QChar Letter;              // lower case
    QString Text;              // as shown, for example "c: [system]"
    TDriveType Type = dtFixed; // chooses the entry's icon
};

// The small icons of the drive box and the directory list, 16 by 16, drawn in code: a hard disk
// (also for RAM disks and unknown drives), a CD drive, a network drive, a floppy; a closed
// folder for a subdirectory and an open one for each directory on the path.
QImage DriveIcon(TDriveType Type);
QImage FolderIcon(bool Open);

struct TDirectorySource {
    // Names of the subdirectories of a DOS directory ("C:\WINDOWS"), in display order.
    std::function<QStringList(QString const& Directory)> Subdirectories;
    // The current directory of a drive ("D:\" when it has none other).
    std::function<QString(QChar Drive)> CurrentDirectory;
};

void SetDriveSource(std::function<std::vector<TDriveEntry>()> Source);
void SetDirectorySource(TDirectorySource Source);

class TDriveComboBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
  public:
    explicit TDriveComboBox(TComponent* AOwner);

    // The letter of the chosen drive, lower case; a null QChar when there is none.
    QChar Drive() const;
    // Chooses the drive with that letter (any case); a letter without an entry is ignored.
    void SetDrive(QChar Value);
    // The chosen entry's text.
    QString Text() const;
    // Re-reads the drives from the drive source, keeping the chosen drive when it is still there.
    void BuildList();
    std::vector<TDriveEntry> const& Entries() const { return m_Entries; }

    TNotifyEvent OnChange() const { return m_OnChange; }
    void SetOnChange(TNotifyEvent const& Value) { m_OnChange = Value; }

  protected:
    virtual void Change();

  private:
    QComboBox* Combo() const;
    void Select(int index);

    std::vector<TDriveEntry> m_Entries;
    int m_Index = -1;
    TNotifyEvent m_OnChange;
};

// Shows the root of its drive, each directory on the path to the current directory, the current
// directory and its subdirectories. Double-clicking an entry or pressing Enter on it makes it the
// current directory.
class TDirectoryListBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(TNotifyEvent OnDblClick READ OnDblClick WRITE SetOnDblClick)
  public:
    explicit TDirectoryListBox(TComponent* AOwner);

    // The current directory as a full DOS path ("C:\WINDOWS\SYSTEM").
    QString Directory() const { return m_Directory; }
    // Moves to the directory and rebuilds the entries; OnChange runs when it differs.
    void SetDirectory(QString const& Value);
    QChar Drive() const;
    // Moves to the current directory of that drive, unless the list is on that drive already.
    void SetDrive(QChar Value);

    // The entries as shown, and the full path each stands for.
    QStringList EntryTexts() const;
    QString EntryPath(int Index) const;
    // Makes entry `Index` the current directory (what double-click and Enter do).
    void OpenEntry(int Index);

    TNotifyEvent OnChange() const { return m_OnChange; }
    void SetOnChange(TNotifyEvent const& Value) { m_OnChange = Value; }
    TNotifyEvent OnDblClick() const { return m_OnDblClick; }
    void SetOnDblClick(TNotifyEvent const& Value) { m_OnDblClick = Value; }

  protected:
    virtual void Change();

  private:
    QListWidget* List() const;
    void BuildList();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString m_Directory;
    QStringList m_Paths;
    TNotifyEvent m_OnChange;
    TNotifyEvent m_OnDblClick;
};
