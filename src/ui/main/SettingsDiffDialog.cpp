#include "SettingsDiffDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tesso
{

SettingsDiffDialog::SettingsDiffDialog(const std::vector<DeviceSettings::Difference>& differences,
                                       const QString& gaps, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SettingsDiffDialog"));
    setWindowTitle(QStringLiteral("Restore device settings"));
    auto* layout = new QVBoxLayout(this);
    auto* question =
        new QLabel(QStringLiteral("%1 settings differ from the file. Write the file's values to the device?")
                       .arg(differences.size()),
                   this);
    layout->addWidget(question);
    Table = new QTableWidget(static_cast<int>(differences.size()), 3, this);
    Table->setHorizontalHeaderLabels(
        {QStringLiteral("Setting"), QStringLiteral("On the device"), QStringLiteral("In the file")});
    Table->verticalHeader()->hide();
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < static_cast<int>(differences.size()); ++row) {
        const DeviceSettings::Difference& d = differences[static_cast<std::size_t>(row)];
        Table->setItem(row, 0, new QTableWidgetItem(d.inFile.label()));
        Table->setItem(row, 1, new QTableWidgetItem(d.onDevice.valueText()));
        Table->setItem(row, 2, new QTableWidgetItem(d.inFile.valueText()));
    }
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->resizeColumnsToContents();
    question->setBuddy(Table);
    layout->addWidget(Table);
    if (!gaps.isEmpty()) {
        auto* note = new QLabel(gaps, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 420);
}

} // namespace tesso
