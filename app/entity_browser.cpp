#include "entity_browser.h"

#include "document/entity_commands.h"
#include "editor/editor.h"
#include "entity_drop_target.h"
#include "map/ignoring_case.h"
#include "map_text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace vorn {
namespace {

constexpr int kFixedSizeRole = Qt::UserRole;
constexpr int kMarkSize = 12;

// Point classes leave the list as their names, for a 2D view to place.
class ClassList final : public QListWidget {
public:
    QStringList mimeTypes() const override { return {QLatin1String(kEntityClassMimeType)}; }

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override
    {
        if (items.isEmpty()) return nullptr;
        auto* data = new QMimeData;
        data->setData(QLatin1String(kEntityClassMimeType), toMapText(items.first()->text()).c_str());
        return data;
    }
};

QColor colourOf(const EntityClass& entityClass)
{
    const Vec3 c = entityClass.color();
    return QColor::fromRgbF(std::clamp(c.x, 0.0f, 1.0f), std::clamp(c.y, 0.0f, 1.0f), std::clamp(c.z, 0.0f, 1.0f));
}

// A filled square for a point class, an outline for a brush class, in the class's colour.
QIcon markOf(const EntityClass& entityClass)
{
    QPixmap mark(kMarkSize, kMarkSize);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setPen(QPen(colourOf(entityClass), 2));
    if (entityClass.isFixedSize()) painter.setBrush(colourOf(entityClass));
    painter.drawRect(1, 1, kMarkSize - 2, kMarkSize - 2);
    return QIcon(mark);
}

QString helpOf(const EntityClass& entityClass)
{
    QString text = entityClass.isFixedSize() ? QStringLiteral("Point class: drag it into the XY view.")
                                             : QStringLiteral("Brush class: double-click it to make the selected brushes one.");
    text += QLatin1Char('\n');
    for (int line = 0; line < entityClass.commentCount(); ++line) text += QLatin1Char('\n') + fromMapText(entityClass.commentLine(line));
    return text;
}

} // namespace

EntityBrowser::EntityBrowser(Editor& editor, QWidget* parent)
    : QDockWidget(QStringLiteral("Entities"), parent), editor_(editor), filter_(new QLineEdit), list_(new ClassList),
      help_(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("entityBrowser"));
    // Closed it could not be had back: it has no menu item.
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    filter_->setObjectName(QStringLiteral("Filter"));
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    list_->setObjectName(QStringLiteral("Classes"));
    list_->setDragEnabled(true);
    list_->setDragDropMode(QAbstractItemView::DragOnly);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    help_->setObjectName(QStringLiteral("Class help"));
    help_->setReadOnly(true);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(list_);
    split->addWidget(help_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(filter_);
    layout->addWidget(split);
    setWidget(body);

    connect(filter_, &QLineEdit::textChanged, this, &EntityBrowser::applyFilter);
    connect(list_, &QListWidget::currentItemChanged, this, &EntityBrowser::showHelp);
    connect(list_, &QListWidget::itemDoubleClicked, this, &EntityBrowser::makeSelectionInto);
    refresh();
}

void EntityBrowser::refresh()
{
    const EntityClassList& classes = editor_.classes();
    if (classes.generation() == listed_) return;
    listed_ = classes.generation();
    std::vector<const EntityClass*> sorted;
    for (const EntityClass& entityClass : classes.all()) sorted.push_back(&entityClass);
    std::ranges::stable_sort(sorted, [](const EntityClass* a, const EntityClass* b) { return LessIgnoringCase(a->name(), b->name()); });

    list_->clear();
    for (const EntityClass* entityClass : sorted) {
        auto* item = new QListWidgetItem(markOf(*entityClass), fromMapText(entityClass->name()), list_);
        item->setData(kFixedSizeRole, entityClass->isFixedSize());
        item->setToolTip(entityClass->isFixedSize() ? QStringLiteral("Point class") : QStringLiteral("Brush class"));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (entityClass->isFixedSize()) flags |= Qt::ItemIsDragEnabled;
        item->setFlags(flags);
    }
    applyFilter();
    showHelp();
}

void EntityBrowser::applyFilter()
{
    const QString text = filter_->text().trimmed();
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
}

void EntityBrowser::showHelp()
{
    const QListWidgetItem* item = list_->currentItem();
    help_->setPlainText(item ? helpOf(editor_.classes().find(toMapText(item->text()))) : QString());
}

void EntityBrowser::makeSelectionInto(QListWidgetItem* item)
{
    if (item->data(kFixedSizeRole).toBool() || editor_.map().countSelectedBrushes() == 0) return;
    MakeIntoClass(editor_.map(), toMapText(item->text()), editor_.host());
}

} // namespace vorn
