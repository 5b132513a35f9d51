#include "SettingsDialog.h"

#include "DriverSettings.h"

#include "host/DialogFrame.h"
#include "host/DialogResponder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>
#include <iterator>

namespace cddriver {

namespace {

// The switches: the key, its label, and the value that checks the box.
struct Switch {
    const char* key;
    const char* label;
    std::int32_t CdSettings::*field;
    std::int32_t checked_value;
};

constexpr Switch switches[] = {
    {"Rate", "&Rate control (play at the stream's pace)", &CdSettings::rate, 1},
    {"DspAudio", "Sound on a &DSP board (no software sound)", &CdSettings::dsp_audio, 1},
    {"Stereo", "&Stereo sound", &CdSettings::stereo, 1},
    {"DCI", "Use the DCI &display driver", &CdSettings::dci, 1},
    {"Crop", "&Crop the overscan border", &CdSettings::crop, 1},
};

constexpr const char* sample_rates[] = {"11025 Hz", "22050 Hz", "44100 Hz", "As recorded"};
constexpr int as_recorded = 3;

// The dialog as a test's responder sees and answers it.
bool answer_through(host::DialogResponder& responder, CdSettings& settings, const std::string& title) {
    host::SettingsDialogRequest request{title, {}};
    for (const SettingKey& key : setting_keys())
        request.settings.emplace_back(key.key, settings.*key.field);
    std::optional<host::SettingsAnswer> answer = responder.settings_dialog(request);
    if (!answer)
        return false;
    for (const auto& [name, value] : *answer)
        for (const SettingKey& key : setting_keys())
            if (name == key.key)
                settings.*key.field = value;
    return true;
}

} // namespace

bool edit_settings(CdSettings& settings, const std::string& title, const std::string& display) {
    if (host::DialogResponder* responder = host::dialog_responder())
        return answer_through(*responder, settings, title);
    QDialog dialog;
    dialog.setObjectName("MpegDriverSettings");
    dialog.setWindowTitle(QString::fromStdString(title));
    host::add_dialog_frame(dialog);
    auto* layout = new QFormLayout(&dialog);

    auto* scale = new QSpinBox(&dialog);
    scale->setObjectName("Scale");
    scale->setRange(1, 4);
    scale->setValue(std::clamp(settings.scale, 1, 4));
    layout->addRow("Window &scale:", scale);

    auto* rate = new QComboBox(&dialog);
    rate->setObjectName("SampRate");
    for (const char* text : sample_rates)
        rate->addItem(text);
    rate->setCurrentIndex(settings.samp_rate >= 0 && settings.samp_rate < as_recorded ? settings.samp_rate
                                                                                      : as_recorded);
    layout->addRow("Sound &output:", rate);

    QCheckBox* boxes[std::size(switches)] = {};
    for (std::size_t i = 0; i < std::size(switches); ++i) {
        boxes[i] = new QCheckBox(switches[i].label, &dialog);
        boxes[i]->setObjectName(switches[i].key);
        boxes[i]->setChecked(settings.*switches[i].field == switches[i].checked_value);
        layout->addRow(boxes[i]);
    }
    layout->addRow("Display path:", new QLabel(QString::fromStdString(display), &dialog));
    layout->addRow(new QLabel("Sound settings apply when a movie is next opened.", &dialog));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.scale = scale->value();
    settings.samp_rate = rate->currentIndex() == as_recorded ? -1 : rate->currentIndex();
    for (std::size_t i = 0; i < std::size(switches); ++i) {
        const Switch& entry = switches[i];
        bool was_checked = settings.*entry.field == entry.checked_value;
        // A value the file held that the box cannot show stays as it was unless the box changed.
        if (boxes[i]->isChecked() != was_checked)
            settings.*entry.field = boxes[i]->isChecked() ? entry.checked_value : 1 - entry.checked_value;
    }
    return true;
}

} // namespace cddriver
