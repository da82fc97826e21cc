#include "SetMserver.h"

#include "core/Module1.h"

void SetMserver(Module1& module)
{
    module.MServerBase =
        module.MServer == ServerBase::Fallback ? module.NetEndpoints.fallbackBase : module.NetEndpoints.primaryBase;
}
