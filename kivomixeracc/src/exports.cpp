#include "kivomixeracc.h"
#include "factories.h"
#include "postinvoke.h"

extern "C" {

void initVexkitAT()
{
    kivoacc::installFactories();
}

void initKivoAT()
{
    initVexkitAT();
}

void dummyKivoAccFunction()
{
}

void postInvokeEvent(QObject *target, QString method, QList<QVariant> arguments)
{
    kivoacc::postInvoke(target, method, arguments);
}

}
