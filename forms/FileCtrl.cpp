// Drive box and directory list over the drive and directory hooks.
#include "forms/FileCtrl.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

// The drive box as Windows 95 draws it: the chosen drive's icon and text on a white field beside
// the grey arrow button (Qt's Windows style fills a list-only box with the button face).
class TDriveCombo : public QComboBox {
  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        QStyleOptionComboBox field = option;
        field.palette.setBrush(QPalette::Button, option.palette.base());
        field.subControls = QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxEditField;
        painter.drawComplexControl(QStyle::CC_ComboBox, field);
        QStyleOptionComboBox arrow = option;
        arrow.subControls = QStyle::SC_ComboBoxArrow;
        painter.drawComplexControl(QStyle::CC_ComboBox, arrow);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

// Entries of the directory list carry their depth as leading blanks (two a level); the icon and
// the name are drawn indented by it.
class TIndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int PixelsPerBlank = 4;

    void paint(QPainter* painter, QStyleOptionViewItem const& option, QModelIndex const& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        qsizetype const blanks = Blanks(item.text);
        item.text = item.text.mid(blanks);
        item.rect.adjust(static_cast<int>(blanks) * PixelsPerBlank, 0, 0, 0);
        QStyle* style = item.widget ? item.widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
    }

  private:
    static qsizetype Blanks(QString const& text) {
        qsizetype count = 0;
        while (count < text.size() && text[count] == u' ')
            ++count;
        return count;
    }
};

QIcon IconOf(QImage const& image) {
    return QIcon(QPixmap::fromImage(image));
}

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

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TWinControl(AOwner, new TDriveCombo) {
    SetColor(clWindow);
    Combo()->setIconSize(QSize(16, 16));
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
        combo->addItem(IconOf(DriveIcon(entry.Type)), entry.Text);
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
    List()->setIconSize(QSize(16, 16));
    List()->setItemDelegate(new TIndentDelegate(List()));
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
        list->addItem(new QListWidgetItem(IconOf(FolderIcon(true)), QString(static_cast<int>(i) * 2, u' ') + name));
        m_Paths << steps[i];
    }
    TDirectorySource const& source = DirectorySource();
    if (source.Subdirectories && !steps.isEmpty()) {
        QString const indent(static_cast<int>(steps.size()) * 2, u' ');
        QString base = steps.back();
        if (!base.endsWith(u'\\'))
            base += u'\\';
        for (QString const& name : source.Subdirectories(steps.back())) {
            list->addItem(new QListWidgetItem(IconOf(FolderIcon(false)), indent + name));
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
