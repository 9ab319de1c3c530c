// SPDX-License-Identifier: MIT
#include "runtime/error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>
#include <memory>

#include "runtime/runtime_error.h"

namespace runtime {
namespace {

void PrintLine(const RuntimeError& error) {
  std::fprintf(stderr, "Run-time error '%d': %s\n", error.Number(), error.Description().c_str());
  std::fflush(stderr);
}

bool CanShowBox() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && !QCoreApplication::closingDown();
}

QMessageBox* NewBox(const RuntimeError& error) {
  const QString text = QStringLiteral("Run-time error '%1':\n\n%2")
                           .arg(error.Number())
                           .arg(QString::fromStdString(error.Description()));
  return new QMessageBox(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

}  // namespace

void ReportToUser(const RuntimeError& error) {
  PrintLine(error);
  static QPointer<QMessageBox> open;
  if ((open && open->isVisible()) || !CanShowBox()) return;
  QMessageBox* box = NewBox(error);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->setObjectName(QStringLiteral("RuntimeErrorBox"));
  box->show();
  open = box;
}

void ReportBeforeLeaving(const RuntimeError& error) {
  PrintLine(error);
  if (!CanShowBox()) return;
  const std::unique_ptr<QMessageBox> box(NewBox(error));
  box->exec();
}

}  // namespace runtime
