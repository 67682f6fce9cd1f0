#include "matrixwidget.h"

#include "datamodel.h"
#include "matrixtablewidget.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

using Event = ReportRouter::Event;

MatrixWidget::MatrixWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::Matrix, Channels::None, parent), m_edits(model)
{
    setObjectName(QStringLiteral("matrixWidget"));
    m_allMix = new QPushButton(this);
    m_allMix->setObjectName(QStringLiteral("allMixButton"));
    m_reset = new QPushButton(this);
    m_reset->setObjectName(QStringLiteral("resetButton"));
    headerLayout()->addStretch();
    for (QPushButton* b : {m_allMix, m_reset}) {
        b->setFocusPolicy(Qt::TabFocus);
        b->setMinimumWidth(80);
        headerLayout()->addWidget(b);
        connect(b, &QPushButton::clicked, this, &MatrixWidget::allMixButtonClicked);
    }

    m_table = new MatrixTableWidget(this);
    pageLayout()->addWidget(m_table, 1);
    connect(m_table, &MatrixTableWidget::enabledChanged, this,
            &MatrixWidget::tableWidgetEnabledChanged);
    connect(m_table, &MatrixTableWidget::gainChanged, this, &MatrixWidget::tableWidgetGainChanged);

    subscribe(wire::code::MatrixEnable,
              [this](const Event& e) { reportArrived(true, e.channel, e.other); });
    subscribe(wire::code::MatrixGain,
              [this](const Event& e) { reportArrived(false, e.channel, e.other); });
    subscribe(wire::code::InputLabels, [this](const Event&) { loadLabels(); });
    subscribe(wire::code::OutputLabels, [this](const Event&) { loadLabels(); });

    retranslate();
    loadLabels();
    loadAll();
}

void MatrixWidget::retranslate()
{
    ModulePage::retranslate();
    m_allMix->setText(tr("All Mix"));
    m_reset->setText(tr("Reset"));
}

// --- loaders

void MatrixWidget::loadEnabled(int input, int output)
{
    if (input < 0 || input >= MatrixTableWidget::kRows || output < 0 ||
        output >= MatrixTableWidget::kColumns)
        return;
    m_table->setCellEnabled(input, output, model().input(input).mixEnabled[std::size_t(output)]);
}

void MatrixWidget::loadGain(int input, int output)
{
    if (input < 0 || input >= MatrixTableWidget::kRows || output < 0 ||
        output >= MatrixTableWidget::kColumns)
        return;
    m_table->setCellGain(input, output, model().input(input).mixGain[std::size_t(output)]);
}

void MatrixWidget::loadAll()
{
    for (int input = 0; input < MatrixTableWidget::kRows; ++input) {
        for (int output = 0; output < MatrixTableWidget::kColumns; ++output) {
            loadEnabled(input, output);
            loadGain(input, output);
        }
    }
}

void MatrixWidget::loadLabels()
{
    // A header shows the user's label, or the default name; the tooltip names the channel when
    // a label hides its default name.
    const auto texts = [](const QString& label, const QString& defaultName) {
        const QString name = model::withoutLineBreaks(defaultName);
        const QString text = model::withoutLineBreaks(label);
        if (text.isEmpty() || text == name)
            return std::make_pair(name, QString());
        return std::make_pair(text, name);
    };
    for (int input = 0; input < MatrixTableWidget::kRows; ++input) {
        const auto& in = model().input(input);
        const auto t = texts(in.label, in.defaultName);
        m_table->setRowLabel(input, t.first, t.second);
    }
    for (int output = 0; output < MatrixTableWidget::kColumns; ++output) {
        const auto& out = model().output(output);
        const auto t = texts(out.label, out.defaultName);
        m_table->setColumnLabel(output, t.first, t.second);
    }
}

void MatrixWidget::loadChannel(int)
{
    loadLabels();
    loadAll();
}

void MatrixWidget::applyProfile()
{
    m_table->setHiddenChannels(profile().hiddenInputs, profile().hiddenOutputs);
    // The model names the USB channels after the profile.
    loadLabels();
}

void MatrixWidget::reportArrived(bool enable, quint8 input, quint8 output)
{
    if (input == 255 || output == 255) {
        loadAll();
        return;
    }
    if (enable)
        loadEnabled(input, output);
    else
        loadGain(input, output);
}

// --- edits

void MatrixWidget::tableWidgetEnabledChanged(QByteArray inputs, uchar output, bool enabled)
{
    m_edits.setEnabled(output, inputs, enabled);
}

void MatrixWidget::tableWidgetGainChanged(QByteArray inputs, uchar output, qint8 gain)
{
    m_edits.setGain(output, inputs, gain);
}

void MatrixWidget::allMixButtonClicked()
{
    askAll(sender() != m_reset);
}

void MatrixWidget::askAll(bool mix)
{
    const QString question =
        mix ? tr("Are you sure that you want to enable all the mixer and set their gain to 0dB?")
            : tr("Are you sure that you want to disable all the mixer and set their gain to 0dB?");
    auto* box = new QMessageBox(QMessageBox::Question, caption(page()), question,
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("matrixAllQuestion"));
    QPushButton* ok = box->addButton(tr("OK"), QMessageBox::AcceptRole);
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    connect(box, &QMessageBox::finished, this, [this, box, ok, mix] {
        if (box->clickedButton() != ok)
            return;
        m_edits.setAll(mix, profile().usbRecordOutput);
        loadAll();
    });
    box->open();
}
