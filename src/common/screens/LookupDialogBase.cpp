#include "common/screens/LookupDialogBase.h"

#include "common/PagedTableModel.h"
#include "common/screens/ScreenContext.h"
#include "data/Connections.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int kTitleRoom = 28;    // the title images sit in the top right corner
constexpr int kRowsMeasured = 50; // enough for what a list shows, cheap on every keystroke
} // namespace

LookupDialogBase::LookupDialogBase(ScreenContext& context, const Definition& definition,
                                   QWidget* parent)
    : ScreenBase(context.messages, parent, ScreenOptions{}), m_context(context),
      m_definition(definition), m_title(new QLabel(definition.title, this)),
      m_searchRow(new QHBoxLayout), m_list(new QTreeView(this)),
      m_rows(new QStandardItemModel(this)),
      m_btnProcurar1(new QPushButton(QStringLiteral("&Procurar"), this)) {
    setWindowTitle(definition.title);
    m_title->setObjectName(QStringLiteral("lblTitulo"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_title->setFont(titleFont);

    m_list->setObjectName(definition.listName);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true); // keeps a list of any length quick to lay out
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setResizeContentsPrecision(kRowsMeasured);
    m_list->installEventFilter(this);
    attachFocusColours(m_list);

    QStringList captions;
    for (const ListColumn& column : definition.columns)
        captions << column.caption;
    m_rows->setHorizontalHeaderLabels(captions);
    setModel(m_rows);
    // Queued: the scroll bar changes while the view lays itself out.
    const QScrollBar* bar = m_list->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, &LookupDialogBase::readMoreNearTheEnd,
            Qt::QueuedConnection);
    connect(bar, &QScrollBar::rangeChanged, this, &LookupDialogBase::readMoreNearTheEnd,
            Qt::QueuedConnection);
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            rowDoubleClicked(index.row());
    });

    m_btnProcurar1->setObjectName(QStringLiteral("btnProcurar1"));
    m_btnProcurar1->setDefault(true);
    connect(m_btnProcurar1, &QPushButton::clicked, this, [this] { botaoProcurarClicado(); });
    command1()->setText(QStringLiteral("Command1"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, kTitleRoom, 12, 12);
    layout->addWidget(m_title);
    layout->addLayout(m_searchRow);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnProcurar1);
    layout->addLayout(buttons);

    int width = 0;
    for (const ListColumn& column : definition.columns)
        width += column.twips / ScreenOptions::kTwipsPerPixel;
    resize(width + 60, 420);
}

Database& LookupDialogBase::db() const {
    return m_context.connections.db();
}

QGroupBox* LookupDialogBase::addSearchFrame(const QString& name, const QString& caption) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    frame->setLayout(new QHBoxLayout);
    m_searchRow->addWidget(frame);
    return frame;
}

QLineEdit* LookupDialogBase::addSearchBox(QGroupBox* frame, const QString& name,
                                          KeyFilterMode filter) {
    auto* box = new QLineEdit(frame);
    box->setObjectName(name);
    frame->layout()->addWidget(box);
    attachFocusColours(box);
    if (filter != KeyFilterMode::None)
        attachKeyFilter(box, filter);
    connect(box, &QLineEdit::textChanged, this, &LookupDialogBase::refresh);
    return box;
}

void LookupDialogBase::setModel(QAbstractItemModel* model) {
    m_list->setModel(model);
    for (int i = 0; i < m_definition.columns.size(); ++i)
        m_list->setColumnWidth(i, m_definition.columns[i].twips / ScreenOptions::kTwipsPerPixel);
    connect(model, &QAbstractItemModel::modelReset, this, &LookupDialogBase::selectFirstRow);
    connect(model, &QAbstractItemModel::rowsInserted, this, &LookupDialogBase::selectFirstRow);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { fitColumns(0); });
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first) { fitColumns(first); });
    fitColumns(0);
}

// The designed widths are a minimum: a column grows to its header and to the values the list
// shows, and never shrinks while the user types. The dialog widens with it while it fits the
// screen. Only the rows just added are measured, by their delegate: the view's own measure
// lays the list out first, which reads a paged list's next page, whose rows are measured in
// turn, down to the last of a million orders.
void LookupDialogBase::fitColumns(int first) {
    const QAbstractItemModel* model = m_list->model();
    const int last = std::min(model->rowCount(), first + kRowsMeasured) - 1;
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.font = m_list->font();
    option.fontMetrics = m_list->fontMetrics();
    QHeaderView* header = m_list->header();
    int grown = 0;
    for (int i = 0; i < header->count(); ++i) {
        int wanted = header->sectionSizeHint(i);
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = model->index(row, i);
            wanted = std::max(wanted,
                              m_list->itemDelegateForIndex(index)->sizeHint(option, index).width());
        }
        if (wanted > m_list->columnWidth(i)) {
            grown += wanted - m_list->columnWidth(i);
            m_list->setColumnWidth(i, wanted);
        }
    }
    if (grown > 0)
        widen(grown);
}

// A paged list reads its next page once its end is less than a screenful below the view.
void LookupDialogBase::readMoreNearTheEnd() {
    auto* paged = qobject_cast<PagedTableModel*>(m_list->model());
    const QScrollBar* bar = m_list->verticalScrollBar();
    if (paged && paged->hasMore() && bar->value() >= bar->maximum() - bar->pageStep())
        paged->readMore();
}

void LookupDialogBase::setRows(const QList<QStringList>& rows) {
    m_rows->setRowCount(0);
    const int columns = m_definition.columns.size();
    for (const QStringList& row : rows) {
        QList<QStandardItem*> items;
        items.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            auto* item = new QStandardItem(i < row.size() ? row[i] : QString());
            item->setTextAlignment(m_definition.columns[i].alignment);
            items << item;
        }
        m_rows->appendRow(items);
    }
    selectFirstRow();
}

void LookupDialogBase::selectFirstRow() {
    QAbstractItemModel* model = m_list->model();
    if (model->rowCount() > 0 && !m_list->currentIndex().isValid())
        m_list->setCurrentIndex(model->index(0, 0));
}

int LookupDialogBase::selectedRow() const {
    if (rowCount() == 0)
        return -1;
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.row() : 0;
}

int LookupDialogBase::rowCount() const {
    return m_list->model()->rowCount();
}

QString LookupDialogBase::cellText(int row, int column) const {
    const QAbstractItemModel* model = m_list->model();
    return model->data(model->index(row, column)).toString();
}

void LookupDialogBase::refresh() {
    try {
        refill();
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void LookupDialogBase::btnProcurar1_Click() {
    try {
        procurar();
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void LookupDialogBase::procurar() {
    if (rowCount() == 0 || !pick(selectedRow())) {
        notFound();
        return;
    }
    accept();
}

void LookupDialogBase::rowDoubleClicked(int) {}

void LookupDialogBase::botaoProcurarClicado() {
    btnProcurar1_Click();
}

void LookupDialogBase::notFound() {
    messages().show(MessageBoxes::Icon::Information, m_definition.notFoundCaption,
                    m_definition.notFoundText);
    QWidget* box = searchBox();
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->clear();
    if (box)
        box->setFocus();
}

bool LookupDialogBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnProcurar1_Click(); // a pick from the list, not a press of the button
            return true;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}
