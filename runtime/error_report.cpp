#include "runtime/error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>

#include "runtime/runtime_error.h"

namespace runtime {

void ReportToUser(const RuntimeError& error) {
  std::fprintf(stderr, "Run-time error '%d': %s\n", error.Number(), error.Description().c_str());
  std::fflush(stderr);

  static QPointer<QMessageBox> open;
  if ((open && open->isVisible()) || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr ||
      QCoreApplication::closingDown()) {
    return;
  }
  const QString text = QStringLiteral("Run-time error '%1':\n\n%2")
                           .arg(error.Number())
                           .arg(QString::fromStdString(error.Description()));
  auto* box = new QMessageBox(QMessageBox::Critical, QCoreApplication::applicationName(), text,
                              QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->setObjectName(QStringLiteral("RuntimeErrorBox"));
  box->show();
  open = box;
}

}  // namespace runtime
