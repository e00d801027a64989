// bft: thread registration, indications and up-calls into the CIMOM. The
// host serves one provider and has no repository or other providers to ask,
// so every entry answers CMPI_RC_ERR_NOT_SUPPORTED (and NULL or a NULL value).
#include "host/broker/BrokerTables.h"
#include "host/broker/Status.h"

namespace vhost::broker {
namespace {

CMPIContext* prepareAttachThread(const CMPIBroker*, const CMPIContext*) { return nullptr; }
CMPIStatus attachThread(const CMPIBroker*, const CMPIContext*) { return status(CMPI_RC_ERR_NOT_SUPPORTED); }
CMPIStatus detachThread(const CMPIBroker*, const CMPIContext*) { return status(CMPI_RC_ERR_NOT_SUPPORTED); }
CMPIStatus deliverIndication(const CMPIBroker*, const CMPIContext*, const char*, const CMPIInstance*)
{
    return status(CMPI_RC_ERR_NOT_SUPPORTED);
}

template <typename R>
R unsupported(CMPIStatus* rc, R answer)
{
    report(rc, CMPI_RC_ERR_NOT_SUPPORTED);
    return answer;
}

CMPIEnumeration* enumerateInstanceNames(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIInstance* getInstance(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char**, CMPIStatus* rc)
{
    return unsupported<CMPIInstance*>(rc, nullptr);
}
CMPIObjectPath* createInstance(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const CMPIInstance*,
                               CMPIStatus* rc)
{
    return unsupported<CMPIObjectPath*>(rc, nullptr);
}
CMPIStatus modifyInstance(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const CMPIInstance*,
                          const char**)
{
    return status(CMPI_RC_ERR_NOT_SUPPORTED);
}
CMPIStatus deleteInstance(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*)
{
    return status(CMPI_RC_ERR_NOT_SUPPORTED);
}
CMPIEnumeration* execQuery(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*, const char*,
                           CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIEnumeration* enumerateInstances(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char**,
                                    CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIEnumeration* associators(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*, const char*,
                             const char*, const char*, const char**, CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIEnumeration* associatorNames(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*,
                                 const char*, const char*, const char*, CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIEnumeration* references(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*, const char*,
                            const char**, CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIEnumeration* referenceNames(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*,
                                const char*, CMPIStatus* rc)
{
    return unsupported<CMPIEnumeration*>(rc, nullptr);
}
CMPIData invokeMethod(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*, const CMPIArgs*,
                      CMPIArgs*, CMPIStatus* rc)
{
    return unsupported<CMPIData>(rc, nullData());
}
CMPIStatus setProperty(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*, const CMPIValue*,
                       CMPIType)
{
    return status(CMPI_RC_ERR_NOT_SUPPORTED);
}
CMPIData getProperty(const CMPIBroker*, const CMPIContext*, const CMPIObjectPath*, const char*, CMPIStatus* rc)
{
    return unsupported<CMPIData>(rc, nullData());
}

CMPIBrokerFT makeTable(unsigned version)
{
    return CMPIBrokerFT{0, version, kBrokerName, prepareAttachThread, attachThread, detachThread,
                        deliverIndication, enumerateInstanceNames, getInstance, createInstance,
                        modifyInstance, deleteInstance, execQuery, enumerateInstances, associators,
                        associatorNames, references, referenceNames, invokeMethod, setProperty, getProperty};
}

CMPIBrokerFT fullTable = makeTable(CMPIVersion200);
CMPIBrokerFT sparseTable = makeTable(0);

}  // namespace

CMPIBrokerFT* brokerTable(bool sparse) { return sparse ? &sparseTable : &fullTable; }

}  // namespace vhost::broker
