#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace qv::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::Icon IconOf(Icon icon) {
  switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// The answer a box gives when it is closed without a button, or destroyed
// under its own loop: the most cautious one it offers.
Answer CautiousAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
  }
  return Answer::Cancel;
}

// Runs a modal box and returns its result; -1 when it went away meanwhile.
int RunModal(QPointer<QDialog> box) {
  const int result = box->exec();
  if (!box) return -1;
  delete box.data();
  return result;
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    if (patterns.isEmpty()) patterns = QStringLiteral("*");
    // A name that already shows its patterns keeps them once.
    if (name.endsWith(QLatin1Char(')')) && name.contains(QLatin1Char('('))) {
      name = name.left(name.lastIndexOf(QLatin1Char('('))).trimmed();
    }
    if (name.isEmpty()) name = patterns;
    filters << QStringLiteral("%1 (%2)").arg(name, patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

Answer QtPrompter::Ask(const std::string& caption, const std::string& text, Buttons buttons,
                       Icon icon) {
  auto* box = new QMessageBox(IconOf(icon), Q(caption), Q(text), ButtonsOf(buttons), owner_);
  box->setTextFormat(Qt::PlainText);
  switch (RunModal(box)) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return CautiousAnswer(buttons);
  }
}

void QtPrompter::Sound(Beep) { QApplication::beep(); }

void QtPrompter::ShowMessage(const std::string& caption, const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, Q(caption), Q(text), QMessageBox::Ok, owner_);
  box->setTextFormat(Qt::PlainText);
  RunModal(box);
}

std::optional<std::string> QtPrompter::RunFileDialog(const FileDialogSpec& spec, bool save) {
  auto* dialog = new QFileDialog(owner_, Q(spec.title));
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QString filter = QtFileFilter(spec.filter);
  if (!filter.isEmpty()) dialog->setNameFilters(filter.split(QStringLiteral(";;")));
  if (!spec.defaultExtension.empty()) dialog->setDefaultSuffix(Q(spec.defaultExtension));
  if (!spec.initialName.empty()) dialog->selectFile(Q(spec.initialName));
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !spec.overwritePrompt);
  QPointer<QFileDialog> alive(dialog);
  const int result = dialog->exec();
  if (!alive) return std::nullopt;
  std::optional<std::string> chosen;
  if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
    chosen = QFile::encodeName(dialog->selectedFiles().first()).toStdString();
  delete dialog;
  return chosen;
}

std::optional<std::string> QtPrompter::SaveFile(const FileDialogSpec& spec) {
  return RunFileDialog(spec, true);
}

std::optional<std::string> QtPrompter::OpenFile(const FileDialogSpec& spec) {
  return RunFileDialog(spec, false);
}

}  // namespace qv::ui
