#include "textutil/headless_p.h"

#include <QCoreApplication>
#include <QtGlobal>

void prepareHeadlessGui()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
}

namespace {

void discardQtMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

void discardQtMessages()
{
    qInstallMessageHandler(discardQtMessage);
}
