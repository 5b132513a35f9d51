// Drive box and directory list over the drive and directory hooks.
#include "forms/FileCtrl.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>

namespace {

std::function<std::vector<TDriveEntry>()>& DriveSource() {
    static std::function<std::vector<TDriveEntry>()> source;
    return source;
}

TDirectorySource& DirectorySource() {
    static TDirectorySource source;
    return source;
}

// "C:\A\B" -> {"C:\", "C:\A", "C:\A\B"}.
QStringList PathSteps(QString const& directory) {
    QStringList steps;
    if (directory.size() < 2)
        return steps;
    QString path = directory.left(2) + u'\\';
    steps << path;
    for (QString const& part : directory.mid(2).split(u'\\', Qt::SkipEmptyParts)) {
        if (!path.endsWith(u'\\'))
            path += u'\\';
        path += part;
        steps << path;
    }
    return steps;
}

} // namespace

void SetDriveSource(std::function<std::vector<TDriveEntry>()> Source) {
    DriveSource() = std::move(Source);
}

void SetDirectorySource(TDirectorySource Source) {
    DirectorySource() = std::move(Source);
}

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TWinControl(AOwner, new QComboBox) {
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    QObject::connect(Combo(), &QComboBox::activated, this, [this](int index) { Select(index); });
    BuildList();
}

QComboBox* TDriveComboBox::Combo() const {
    return static_cast<QComboBox*>(Widget());
}

QChar TDriveComboBox::Drive() const {
    return m_Index >= 0 ? m_Entries[static_cast<size_t>(m_Index)].Letter : QChar();
}

QString TDriveComboBox::Text() const {
    return m_Index >= 0 ? m_Entries[static_cast<size_t>(m_Index)].Text : QString();
}

void TDriveComboBox::SetDrive(QChar Value) {
    for (size_t i = 0; i < m_Entries.size(); ++i)
        if (m_Entries[i].Letter.toLower() == Value.toLower()) {
            Select(static_cast<int>(i));
            return;
        }
}

void TDriveComboBox::BuildList() {
    QChar const previous = Drive();
    m_Entries = DriveSource() ? DriveSource()() : std::vector<TDriveEntry>{};
    QComboBox* combo = Combo();
    QSignalBlocker block(combo);
    combo->clear();
    for (TDriveEntry const& entry : m_Entries)
        combo->addItem(entry.Text);
    m_Index = -1;
    for (size_t i = 0; i < m_Entries.size(); ++i)
        if (m_Entries[i].Letter == previous)
            m_Index = static_cast<int>(i);
    if (m_Index < 0 && !m_Entries.empty())
        m_Index = 0;
    combo->setCurrentIndex(m_Index);
}

void TDriveComboBox::Select(int index) {
    if (index < 0 || index >= static_cast<int>(m_Entries.size()))
        return;
    if (Combo()->currentIndex() != index)
        Combo()->setCurrentIndex(index);
    if (index == m_Index)
        return;
    m_Index = index;
    Change();
}

void TDriveComboBox::Change() {
    if (!IsLoading())
        DispatchEvent(m_OnChange, this);
}

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner) : TWinControl(AOwner, new QListWidget) {
    SetColor(clWindow);
    SetBounds(0, 0, 145, 97);
    QObject::connect(List(), &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        DispatchEvent(m_OnDblClick, this);
        OpenEntry(List()->row(item));
    });
    List()->installEventFilter(this);
}

QListWidget* TDirectoryListBox::List() const {
    return static_cast<QListWidget*>(Widget());
}

QChar TDirectoryListBox::Drive() const {
    return m_Directory.isEmpty() ? QChar() : m_Directory.front().toLower();
}

void TDirectoryListBox::SetDirectory(QString const& Value) {
    if (Value == m_Directory)
        return;
    m_Directory = Value;
    BuildList();
    Change();
}

void TDirectoryListBox::SetDrive(QChar Value) {
    if (Value.toLower() == Drive())
        return;
    TDirectorySource const& source = DirectorySource();
    QString directory = source.CurrentDirectory ? source.CurrentDirectory(Value.toUpper()) : QString();
    if (directory.isEmpty())
        directory = QString(Value.toUpper()) + QStringLiteral(":\\");
    SetDirectory(directory);
}

QStringList TDirectoryListBox::EntryTexts() const {
    QStringList texts;
    for (int i = 0; i < List()->count(); ++i)
        texts << List()->item(i)->text();
    return texts;
}

QString TDirectoryListBox::EntryPath(int Index) const {
    return Index >= 0 && Index < m_Paths.size() ? m_Paths[Index] : QString();
}

void TDirectoryListBox::OpenEntry(int Index) {
    QString const path = EntryPath(Index);
    if (!path.isEmpty())
        SetDirectory(path);
}

void TDirectoryListBox::BuildList() {
    QListWidget* list = List();
    list->clear();
    m_Paths.clear();
    QStringList const steps = PathSteps(m_Directory);
    // The path down to the current directory, each step indented one level further, then the
    // subdirectories one level below the current one.
    for (qsizetype i = 0; i < steps.size(); ++i) {
        QString const name = i == 0 ? steps[i].toLower() : steps[i].section(u'\\', -1);
        list->addItem(QString(static_cast<int>(i) * 2, u' ') + name);
        m_Paths << steps[i];
    }
    TDirectorySource const& source = DirectorySource();
    if (source.Subdirectories && !steps.isEmpty()) {
        QString const indent(static_cast<int>(steps.size()) * 2, u' ');
        QString base = steps.back();
        if (!base.endsWith(u'\\'))
            base += u'\\';
        for (QString const& name : source.Subdirectories(steps.back())) {
            list->addItem(indent + name);
            m_Paths << base + name;
        }
    }
    list->setCurrentRow(static_cast<int>(steps.size()) - 1);
}

bool TDirectoryListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            OpenEntry(List()->currentRow());
            return true;
        }
    }
    return TWinControl::eventFilter(watched, event);
}

void TDirectoryListBox::Change() {
    if (!IsLoading())
        DispatchEvent(m_OnChange, this);
}
