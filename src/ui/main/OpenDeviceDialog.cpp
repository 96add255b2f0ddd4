#include "OpenDeviceDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ProfileStore.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

OpenDeviceDialog::OpenDeviceDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OpenDeviceDialog"));
    setWindowTitle(QString(Texts::OpenDeviceCaption));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QString(Texts::OpenDeviceHint), this);
    layout->addWidget(hint);

    ListProfiles = new QTreeWidget(this);
    ListProfiles->setObjectName(QStringLiteral("ListProfiles"));
    ListProfiles->setColumnCount(2);
    ListProfiles->setHeaderLabels({QString(Texts::ProfileColumn), QString(Texts::LinkColumn)});
    ListProfiles->setRootIsDecorated(false);
    ListProfiles->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    hint->setBuddy(ListProfiles); // what a screen reader says on reaching the list
    layout->addWidget(ListProfiles);

    auto* form = new QFormLayout;
    EditNewName = new QLineEdit(this);
    EditNewName->setObjectName(QStringLiteral("EditNewName"));
    EditNewName->setMaxLength(ProfileStore::MaxNameLength);
    form->addRow(QString(Texts::NewProfileLabel), EditNewName);
    layout->addLayout(form);

    LblProblem = new QLabel(this);
    LblProblem->setObjectName(QStringLiteral("LblProblem"));
    LblProblem->setWordWrap(true);
    // Room for the longest reason (a refused name is quoted in it) without the dialog growing.
    LblProblem->setMinimumHeight(3 * LblProblem->fontMetrics().lineSpacing());
    LblProblem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(LblProblem);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    BOk = buttons->button(QDialogButtonBox::Ok);
    BCancel = buttons->button(QDialogButtonBox::Cancel);
    BOk->setText(QString(Texts::OkUpper));
    BCancel->setText(QString(Texts::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenDeviceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Typing a name and choosing a row are two ways to one answer: each clears the other.
    connect(EditNewName, &QLineEdit::textEdited, this, [this] {
        ListProfiles->clearSelection();
        LblProblem->clear();
    });
    connect(ListProfiles, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!ListProfiles->selectedItems().isEmpty())
            EditNewName->clear();
        LblProblem->clear();
    });
    connect(ListProfiles, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    setMinimumSize(420, 300);
}

QString OpenDeviceDialog::LinkText(const ConnectionValues& values)
{
    const QString port = QString::number(values.RemotePort);
    switch (values.IpEnable) {
    case 1:
        return TextFormat::Format(Texts::ProfileLinkUdp, {values.RemoteIp, port});
    case 2:
        return TextFormat::Format(Texts::ProfileLinkTcp, {values.RemoteIp, port});
    default:
        break;
    }
    if (values.comNumber() == 0)
        return QString(Texts::ProfileNoLink);
    if (!values.SerialDevice.isEmpty())
        return values.SerialDevice;
    return TextFormat::Format(Texts::ProfileLinkCom, {QString::number(values.comNumber())});
}

void OpenDeviceDialog::fill(const ProfileStore& store)
{
    ListProfiles->clear();
    for (const QString& name : store.names()) {
        const ConnectionSettings files(store.folder(name), QString(Texts::ApplicationTitle));
        auto* row = new QTreeWidgetItem(ListProfiles, {name, LinkText(files.ReadConnection())});
        row->setData(0, Qt::UserRole, name);
    }
    EditNewName->clear();
    LblProblem->clear();
}

QString OpenDeviceDialog::chosenName() const
{
    if (!EditNewName->text().isEmpty())
        return EditNewName->text();
    const QList<QTreeWidgetItem*> rows = ListProfiles->selectedItems();
    return rows.isEmpty() ? QString() : rows.first()->data(0, Qt::UserRole).toString();
}

void OpenDeviceDialog::accept()
{
    const QString name = chosenName();
    if (name.isEmpty()) {
        LblProblem->setText(QString(Texts::ChooseOrTypeProfile));
        return;
    }
    if (const std::optional<QString> problem = ProfileStore::nameProblem(name)) {
        LblProblem->setText(*problem);
        return;
    }
    QDialog::accept();
}

std::optional<QString> OpenDeviceDialog::Execute(const ProfileStore& store)
{
    fill(store);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return chosenName();
}

} // namespace tesso
