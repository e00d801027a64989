/*
 * Build-time check of the CMPI 2.0 binary layout on x86-64 Linux (LP64).
 *
 * Compiled as plain C into the library, so it also proves that the CMPI
 * headers are valid C11. Every struct size and slot offset below is the one
 * CIMOMs were built with; a wrong member order or type fails the build here
 * instead of crashing inside a CIMOM.
 */
#include "cmpi/cmpift.h"

#include <stddef.h>

#if defined(__x86_64__) && defined(__LP64__)

#define CHECK_SIZE(type, size) \
    _Static_assert(sizeof(type) == (size), "sizeof(" #type ") must be " #size)
#define CHECK_OFF(type, member, off) \
    _Static_assert(offsetof(type, member) == (off), #type "." #member " must be at offset " #off)
#define CHECK_VALUE(expr, value) _Static_assert((expr) == (value), #expr " must be " #value)

/* Scalar types. */
CHECK_SIZE(CMPIBoolean, 1);
CHECK_SIZE(CMPIChar16, 2);
CHECK_SIZE(CMPIUint8, 1);
CHECK_SIZE(CMPIUint16, 2);
CHECK_SIZE(CMPIUint32, 4);
CHECK_SIZE(CMPIUint64, 8);
CHECK_SIZE(CMPISint8, 1);
CHECK_SIZE(CMPISint16, 2);
CHECK_SIZE(CMPISint32, 4);
CHECK_SIZE(CMPISint64, 8);
CHECK_SIZE(CMPIReal32, 4);
CHECK_SIZE(CMPIReal64, 8);
CHECK_SIZE(CMPICount, 4);
CHECK_SIZE(CMPIType, 2);
CHECK_SIZE(CMPIValueState, 2);
CHECK_SIZE(CMPIrc, 4);
CHECK_SIZE(CMPIFlags, 4);
CHECK_SIZE(CMPIMsgFileHandle, 8);
CHECK_SIZE(CMPIPredOp, 4);
CHECK_SIZE(CMPISeverity, 4);
CHECK_SIZE(CMPILevel, 4);
CHECK_SIZE(CMPISelectCondType, 4);
CHECK_SIZE(CMPIErrorType, 4);
CHECK_SIZE(CMPIErrorSeverity, 4);
CHECK_SIZE(CMPIErrorProbableCause, 4);
CHECK_SIZE(CMPIErrorSrcFormat, 4);

/* The value union: every member at offset 0, dataPtr is the largest. */
CHECK_SIZE(CMPIValue, 16);
_Static_assert(_Alignof(CMPIValue) == 8, "CMPIValue must be 8-byte aligned");
CHECK_OFF(CMPIValue, uint64, 0);
CHECK_OFF(CMPIValue, chars, 0);
CHECK_OFF(CMPIValue, dataPtr, 0);

CHECK_SIZE(CMPIValuePtr, 16);
CHECK_OFF(CMPIValuePtr, ptr, 0);
CHECK_OFF(CMPIValuePtr, length, 8);

CHECK_SIZE(CMPIData, 24);
CHECK_OFF(CMPIData, type, 0);
CHECK_OFF(CMPIData, state, 2);
CHECK_OFF(CMPIData, value, 8);

CHECK_SIZE(CMPIStatus, 16);
CHECK_OFF(CMPIStatus, rc, 0);
CHECK_OFF(CMPIStatus, msg, 8);

CHECK_SIZE(CMPIBroker, 40);
CHECK_OFF(CMPIBroker, hdl, 0);
CHECK_OFF(CMPIBroker, bft, 8);
CHECK_OFF(CMPIBroker, eft, 16);
CHECK_OFF(CMPIBroker, xft, 24);
CHECK_OFF(CMPIBroker, mft, 32);

CHECK_SIZE(CMPIBrokerFT, 160);
CHECK_OFF(CMPIBrokerFT, brokerCapabilities, 0);
CHECK_OFF(CMPIBrokerFT, brokerVersion, 4);
CHECK_OFF(CMPIBrokerFT, brokerName, 8);
CHECK_OFF(CMPIBrokerFT, prepareAttachThread, 16);
CHECK_OFF(CMPIBrokerFT, attachThread, 24);
CHECK_OFF(CMPIBrokerFT, detachThread, 32);
CHECK_OFF(CMPIBrokerFT, deliverIndication, 40);
CHECK_OFF(CMPIBrokerFT, enumerateInstanceNames, 48);
CHECK_OFF(CMPIBrokerFT, getInstance, 56);
CHECK_OFF(CMPIBrokerFT, createInstance, 64);
CHECK_OFF(CMPIBrokerFT, modifyInstance, 72);
CHECK_OFF(CMPIBrokerFT, deleteInstance, 80);
CHECK_OFF(CMPIBrokerFT, execQuery, 88);
CHECK_OFF(CMPIBrokerFT, enumerateInstances, 96);
CHECK_OFF(CMPIBrokerFT, associators, 104);
CHECK_OFF(CMPIBrokerFT, associatorNames, 112);
CHECK_OFF(CMPIBrokerFT, references, 120);
CHECK_OFF(CMPIBrokerFT, referenceNames, 128);
CHECK_OFF(CMPIBrokerFT, invokeMethod, 136);
CHECK_OFF(CMPIBrokerFT, setProperty, 144);
CHECK_OFF(CMPIBrokerFT, getProperty, 152);

CHECK_SIZE(CMPIBrokerEncFT, 168);
CHECK_OFF(CMPIBrokerEncFT, ftVersion, 0);
CHECK_OFF(CMPIBrokerEncFT, newInstance, 8);
CHECK_OFF(CMPIBrokerEncFT, newObjectPath, 16);
CHECK_OFF(CMPIBrokerEncFT, newArgs, 24);
CHECK_OFF(CMPIBrokerEncFT, newString, 32);
CHECK_OFF(CMPIBrokerEncFT, newArray, 40);
CHECK_OFF(CMPIBrokerEncFT, newDateTime, 48);
CHECK_OFF(CMPIBrokerEncFT, newDateTimeFromBinary, 56);
CHECK_OFF(CMPIBrokerEncFT, newDateTimeFromChars, 64);
CHECK_OFF(CMPIBrokerEncFT, newSelectExp, 72);
CHECK_OFF(CMPIBrokerEncFT, classPathIsA, 80);
CHECK_OFF(CMPIBrokerEncFT, toString, 88);
CHECK_OFF(CMPIBrokerEncFT, isOfType, 96);
CHECK_OFF(CMPIBrokerEncFT, getType, 104);
CHECK_OFF(CMPIBrokerEncFT, getMessage, 112);
CHECK_OFF(CMPIBrokerEncFT, logMessage, 120);
CHECK_OFF(CMPIBrokerEncFT, trace, 128);
CHECK_OFF(CMPIBrokerEncFT, newCMPIError, 136);
CHECK_OFF(CMPIBrokerEncFT, openMessageFile, 144);
CHECK_OFF(CMPIBrokerEncFT, closeMessageFile, 152);
CHECK_OFF(CMPIBrokerEncFT, getMessage2, 160);

CHECK_SIZE(CMPIBrokerExtFT, 168);
CHECK_OFF(CMPIBrokerExtFT, ftVersion, 0);
CHECK_OFF(CMPIBrokerExtFT, resolveFileName, 8);
CHECK_OFF(CMPIBrokerExtFT, newThread, 16);
CHECK_OFF(CMPIBrokerExtFT, joinThread, 24);
CHECK_OFF(CMPIBrokerExtFT, exitThread, 32);
CHECK_OFF(CMPIBrokerExtFT, cancelThread, 40);
CHECK_OFF(CMPIBrokerExtFT, threadSleep, 48);
CHECK_OFF(CMPIBrokerExtFT, threadOnce, 56);
CHECK_OFF(CMPIBrokerExtFT, createThreadKey, 64);
CHECK_OFF(CMPIBrokerExtFT, destroyThreadKey, 72);
CHECK_OFF(CMPIBrokerExtFT, getThreadSpecific, 80);
CHECK_OFF(CMPIBrokerExtFT, setThreadSpecific, 88);
CHECK_OFF(CMPIBrokerExtFT, newMutex, 96);
CHECK_OFF(CMPIBrokerExtFT, destroyMutex, 104);
CHECK_OFF(CMPIBrokerExtFT, lockMutex, 112);
CHECK_OFF(CMPIBrokerExtFT, unlockMutex, 120);
CHECK_OFF(CMPIBrokerExtFT, newCondition, 128);
CHECK_OFF(CMPIBrokerExtFT, destroyCondition, 136);
CHECK_OFF(CMPIBrokerExtFT, condWait, 144);
CHECK_OFF(CMPIBrokerExtFT, timedCondWait, 152);
CHECK_OFF(CMPIBrokerExtFT, signalCondition, 160);

CHECK_SIZE(CMPIBrokerMemFT, 120);
CHECK_OFF(CMPIBrokerMemFT, ftVersion, 0);
CHECK_OFF(CMPIBrokerMemFT, mark, 8);
CHECK_OFF(CMPIBrokerMemFT, release, 16);
CHECK_OFF(CMPIBrokerMemFT, cmpiMalloc, 24);
CHECK_OFF(CMPIBrokerMemFT, cmpiCalloc, 32);
CHECK_OFF(CMPIBrokerMemFT, cmpiRealloc, 40);
CHECK_OFF(CMPIBrokerMemFT, cmpiStrDup, 48);
CHECK_OFF(CMPIBrokerMemFT, cmpiFree, 56);
CHECK_OFF(CMPIBrokerMemFT, freeInstance, 64);
CHECK_OFF(CMPIBrokerMemFT, freeObjectPath, 72);
CHECK_OFF(CMPIBrokerMemFT, freeArgs, 80);
CHECK_OFF(CMPIBrokerMemFT, freeString, 88);
CHECK_OFF(CMPIBrokerMemFT, freeArray, 96);
CHECK_OFF(CMPIBrokerMemFT, freeDateTime, 104);
CHECK_OFF(CMPIBrokerMemFT, freeSelectExp, 112);

CHECK_SIZE(CMPIContextFT, 56);
CHECK_OFF(CMPIContextFT, ftVersion, 0);
CHECK_OFF(CMPIContextFT, release, 8);
CHECK_OFF(CMPIContextFT, clone, 16);
CHECK_OFF(CMPIContextFT, getEntry, 24);
CHECK_OFF(CMPIContextFT, getEntryAt, 32);
CHECK_OFF(CMPIContextFT, getEntryCount, 40);
CHECK_OFF(CMPIContextFT, addEntry, 48);

CHECK_SIZE(CMPIResultFT, 64);
CHECK_OFF(CMPIResultFT, ftVersion, 0);
CHECK_OFF(CMPIResultFT, release, 8);
CHECK_OFF(CMPIResultFT, clone, 16);
CHECK_OFF(CMPIResultFT, returnData, 24);
CHECK_OFF(CMPIResultFT, returnInstance, 32);
CHECK_OFF(CMPIResultFT, returnObjectPath, 40);
CHECK_OFF(CMPIResultFT, returnDone, 48);
CHECK_OFF(CMPIResultFT, returnError, 56);

CHECK_SIZE(CMPIStringFT, 32);
CHECK_OFF(CMPIStringFT, ftVersion, 0);
CHECK_OFF(CMPIStringFT, release, 8);
CHECK_OFF(CMPIStringFT, clone, 16);
CHECK_OFF(CMPIStringFT, getCharPtr, 24);

CHECK_SIZE(CMPIArrayFT, 56);
CHECK_OFF(CMPIArrayFT, ftVersion, 0);
CHECK_OFF(CMPIArrayFT, release, 8);
CHECK_OFF(CMPIArrayFT, clone, 16);
CHECK_OFF(CMPIArrayFT, getSize, 24);
CHECK_OFF(CMPIArrayFT, getSimpleType, 32);
CHECK_OFF(CMPIArrayFT, getElementAt, 40);
CHECK_OFF(CMPIArrayFT, setElementAt, 48);

CHECK_SIZE(CMPIEnumerationFT, 48);
CHECK_OFF(CMPIEnumerationFT, ftVersion, 0);
CHECK_OFF(CMPIEnumerationFT, release, 8);
CHECK_OFF(CMPIEnumerationFT, clone, 16);
CHECK_OFF(CMPIEnumerationFT, getNext, 24);
CHECK_OFF(CMPIEnumerationFT, hasNext, 32);
CHECK_OFF(CMPIEnumerationFT, toArray, 40);

CHECK_SIZE(CMPIInstanceFT, 88);
CHECK_OFF(CMPIInstanceFT, ftVersion, 0);
CHECK_OFF(CMPIInstanceFT, release, 8);
CHECK_OFF(CMPIInstanceFT, clone, 16);
CHECK_OFF(CMPIInstanceFT, getProperty, 24);
CHECK_OFF(CMPIInstanceFT, getPropertyAt, 32);
CHECK_OFF(CMPIInstanceFT, getPropertyCount, 40);
CHECK_OFF(CMPIInstanceFT, setProperty, 48);
CHECK_OFF(CMPIInstanceFT, getObjectPath, 56);
CHECK_OFF(CMPIInstanceFT, setPropertyFilter, 64);
CHECK_OFF(CMPIInstanceFT, setObjectPath, 72);
CHECK_OFF(CMPIInstanceFT, setPropertyWithOrigin, 80);

CHECK_SIZE(CMPIObjectPathFT, 160);
CHECK_OFF(CMPIObjectPathFT, ftVersion, 0);
CHECK_OFF(CMPIObjectPathFT, release, 8);
CHECK_OFF(CMPIObjectPathFT, clone, 16);
CHECK_OFF(CMPIObjectPathFT, setNameSpace, 24);
CHECK_OFF(CMPIObjectPathFT, getNameSpace, 32);
CHECK_OFF(CMPIObjectPathFT, setHostname, 40);
CHECK_OFF(CMPIObjectPathFT, getHostname, 48);
CHECK_OFF(CMPIObjectPathFT, setClassName, 56);
CHECK_OFF(CMPIObjectPathFT, getClassName, 64);
CHECK_OFF(CMPIObjectPathFT, addKey, 72);
CHECK_OFF(CMPIObjectPathFT, getKey, 80);
CHECK_OFF(CMPIObjectPathFT, getKeyAt, 88);
CHECK_OFF(CMPIObjectPathFT, getKeyCount, 96);
CHECK_OFF(CMPIObjectPathFT, setNameSpaceFromObjectPath, 104);
CHECK_OFF(CMPIObjectPathFT, setHostAndNameSpaceFromObjectPath, 112);
CHECK_OFF(CMPIObjectPathFT, getClassQualifier, 120);
CHECK_OFF(CMPIObjectPathFT, getPropertyQualifier, 128);
CHECK_OFF(CMPIObjectPathFT, getMethodQualifier, 136);
CHECK_OFF(CMPIObjectPathFT, getParameterQualifier, 144);
CHECK_OFF(CMPIObjectPathFT, toString, 152);

CHECK_SIZE(CMPIArgsFT, 56);
CHECK_OFF(CMPIArgsFT, ftVersion, 0);
CHECK_OFF(CMPIArgsFT, release, 8);
CHECK_OFF(CMPIArgsFT, clone, 16);
CHECK_OFF(CMPIArgsFT, addArg, 24);
CHECK_OFF(CMPIArgsFT, getArg, 32);
CHECK_OFF(CMPIArgsFT, getArgAt, 40);
CHECK_OFF(CMPIArgsFT, getArgCount, 48);

CHECK_SIZE(CMPIDateTimeFT, 48);
CHECK_OFF(CMPIDateTimeFT, ftVersion, 0);
CHECK_OFF(CMPIDateTimeFT, release, 8);
CHECK_OFF(CMPIDateTimeFT, clone, 16);
CHECK_OFF(CMPIDateTimeFT, getBinaryFormat, 24);
CHECK_OFF(CMPIDateTimeFT, getStringFormat, 32);
CHECK_OFF(CMPIDateTimeFT, isInterval, 40);

CHECK_SIZE(CMPIErrorFT, 216);
CHECK_OFF(CMPIErrorFT, ftVersion, 0);
CHECK_OFF(CMPIErrorFT, release, 8);
CHECK_OFF(CMPIErrorFT, clone, 16);
CHECK_OFF(CMPIErrorFT, getErrorType, 24);
CHECK_OFF(CMPIErrorFT, getOtherErrorType, 32);
CHECK_OFF(CMPIErrorFT, getOwningEntity, 40);
CHECK_OFF(CMPIErrorFT, getMessageID, 48);
CHECK_OFF(CMPIErrorFT, getMessage, 56);
CHECK_OFF(CMPIErrorFT, getPerceivedSeverity, 64);
CHECK_OFF(CMPIErrorFT, getProbableCause, 72);
CHECK_OFF(CMPIErrorFT, getProbableCauseDescription, 80);
CHECK_OFF(CMPIErrorFT, getRecommendedActions, 88);
CHECK_OFF(CMPIErrorFT, getErrorSource, 96);
CHECK_OFF(CMPIErrorFT, getErrorSourceFormat, 104);
CHECK_OFF(CMPIErrorFT, getOtherErrorSourceFormat, 112);
CHECK_OFF(CMPIErrorFT, getCIMStatusCode, 120);
CHECK_OFF(CMPIErrorFT, getCIMStatusCodeDescription, 128);
CHECK_OFF(CMPIErrorFT, getMessageArguments, 136);
CHECK_OFF(CMPIErrorFT, setErrorType, 144);
CHECK_OFF(CMPIErrorFT, setOtherErrorType, 152);
CHECK_OFF(CMPIErrorFT, setProbableCauseDescription, 160);
CHECK_OFF(CMPIErrorFT, setRecommendedActions, 168);
CHECK_OFF(CMPIErrorFT, setErrorSource, 176);
CHECK_OFF(CMPIErrorFT, setErrorSourceFormat, 184);
CHECK_OFF(CMPIErrorFT, setOtherErrorSourceFormat, 192);
CHECK_OFF(CMPIErrorFT, setCIMStatusCodeDescription, 200);
CHECK_OFF(CMPIErrorFT, setMessageArguments, 208);

CHECK_SIZE(CMPISelectExpFT, 64);
CHECK_OFF(CMPISelectExpFT, ftVersion, 0);
CHECK_OFF(CMPISelectExpFT, release, 8);
CHECK_OFF(CMPISelectExpFT, clone, 16);
CHECK_OFF(CMPISelectExpFT, evaluate, 24);
CHECK_OFF(CMPISelectExpFT, getString, 32);
CHECK_OFF(CMPISelectExpFT, getDOC, 40);
CHECK_OFF(CMPISelectExpFT, getCOD, 48);
CHECK_OFF(CMPISelectExpFT, evaluateUsingAccessor, 56);

CHECK_SIZE(CMPISelectCondFT, 40);
CHECK_OFF(CMPISelectCondFT, ftVersion, 0);
CHECK_OFF(CMPISelectCondFT, release, 8);
CHECK_OFF(CMPISelectCondFT, clone, 16);
CHECK_OFF(CMPISelectCondFT, getCountAndType, 24);
CHECK_OFF(CMPISelectCondFT, getSubCondAt, 32);

CHECK_SIZE(CMPISubCondFT, 48);
CHECK_OFF(CMPISubCondFT, ftVersion, 0);
CHECK_OFF(CMPISubCondFT, release, 8);
CHECK_OFF(CMPISubCondFT, clone, 16);
CHECK_OFF(CMPISubCondFT, getCount, 24);
CHECK_OFF(CMPISubCondFT, getPredicateAt, 32);
CHECK_OFF(CMPISubCondFT, getPredicate, 40);

CHECK_SIZE(CMPIPredicateFT, 40);
CHECK_OFF(CMPIPredicateFT, ftVersion, 0);
CHECK_OFF(CMPIPredicateFT, release, 8);
CHECK_OFF(CMPIPredicateFT, clone, 16);
CHECK_OFF(CMPIPredicateFT, getData, 24);
CHECK_OFF(CMPIPredicateFT, evaluateUsingAccessor, 32);

CHECK_SIZE(CMPIInstanceMIFT, 80);
CHECK_OFF(CMPIInstanceMIFT, ftVersion, 0);
CHECK_OFF(CMPIInstanceMIFT, miVersion, 4);
CHECK_OFF(CMPIInstanceMIFT, miName, 8);
CHECK_OFF(CMPIInstanceMIFT, cleanup, 16);
CHECK_OFF(CMPIInstanceMIFT, enumerateInstanceNames, 24);
CHECK_OFF(CMPIInstanceMIFT, enumerateInstances, 32);
CHECK_OFF(CMPIInstanceMIFT, getInstance, 40);
CHECK_OFF(CMPIInstanceMIFT, createInstance, 48);
CHECK_OFF(CMPIInstanceMIFT, modifyInstance, 56);
CHECK_OFF(CMPIInstanceMIFT, deleteInstance, 64);
CHECK_OFF(CMPIInstanceMIFT, execQuery, 72);

CHECK_SIZE(CMPIMethodMIFT, 32);
CHECK_OFF(CMPIMethodMIFT, ftVersion, 0);
CHECK_OFF(CMPIMethodMIFT, miVersion, 4);
CHECK_OFF(CMPIMethodMIFT, miName, 8);
CHECK_OFF(CMPIMethodMIFT, cleanup, 16);
CHECK_OFF(CMPIMethodMIFT, invokeMethod, 24);

CHECK_SIZE(CMPIAssociationMIFT, 56);
CHECK_OFF(CMPIAssociationMIFT, ftVersion, 0);
CHECK_OFF(CMPIAssociationMIFT, miVersion, 4);
CHECK_OFF(CMPIAssociationMIFT, miName, 8);
CHECK_OFF(CMPIAssociationMIFT, cleanup, 16);
CHECK_OFF(CMPIAssociationMIFT, associators, 24);
CHECK_OFF(CMPIAssociationMIFT, associatorNames, 32);
CHECK_OFF(CMPIAssociationMIFT, references, 40);
CHECK_OFF(CMPIAssociationMIFT, referenceNames, 48);

CHECK_SIZE(CMPIPropertyMIFT, 48);
CHECK_OFF(CMPIPropertyMIFT, ftVersion, 0);
CHECK_OFF(CMPIPropertyMIFT, miVersion, 4);
CHECK_OFF(CMPIPropertyMIFT, miName, 8);
CHECK_OFF(CMPIPropertyMIFT, cleanup, 16);
CHECK_OFF(CMPIPropertyMIFT, setProperty, 24);
CHECK_OFF(CMPIPropertyMIFT, getProperty, 32);
CHECK_OFF(CMPIPropertyMIFT, setPropertyWithOrigin, 40);

CHECK_SIZE(CMPIIndicationMIFT, 72);
CHECK_OFF(CMPIIndicationMIFT, ftVersion, 0);
CHECK_OFF(CMPIIndicationMIFT, miVersion, 4);
CHECK_OFF(CMPIIndicationMIFT, miName, 8);
CHECK_OFF(CMPIIndicationMIFT, cleanup, 16);
CHECK_OFF(CMPIIndicationMIFT, authorizeFilter, 24);
CHECK_OFF(CMPIIndicationMIFT, mustPoll, 32);
CHECK_OFF(CMPIIndicationMIFT, activateFilter, 40);
CHECK_OFF(CMPIIndicationMIFT, deActivateFilter, 48);
CHECK_OFF(CMPIIndicationMIFT, enableIndications, 56);
CHECK_OFF(CMPIIndicationMIFT, disableIndications, 64);

/* Every encapsulated object and every MI object is {hdl, ft}. */
CHECK_SIZE(CMPIContext, 16);
CHECK_OFF(CMPIContext, hdl, 0);
CHECK_OFF(CMPIContext, ft, 8);
CHECK_SIZE(CMPIResult, 16);
CHECK_OFF(CMPIResult, hdl, 0);
CHECK_OFF(CMPIResult, ft, 8);
CHECK_SIZE(CMPIString, 16);
CHECK_OFF(CMPIString, hdl, 0);
CHECK_OFF(CMPIString, ft, 8);
CHECK_SIZE(CMPIArray, 16);
CHECK_OFF(CMPIArray, hdl, 0);
CHECK_OFF(CMPIArray, ft, 8);
CHECK_SIZE(CMPIEnumeration, 16);
CHECK_OFF(CMPIEnumeration, hdl, 0);
CHECK_OFF(CMPIEnumeration, ft, 8);
CHECK_SIZE(CMPIInstance, 16);
CHECK_OFF(CMPIInstance, hdl, 0);
CHECK_OFF(CMPIInstance, ft, 8);
CHECK_SIZE(CMPIObjectPath, 16);
CHECK_OFF(CMPIObjectPath, hdl, 0);
CHECK_OFF(CMPIObjectPath, ft, 8);
CHECK_SIZE(CMPIArgs, 16);
CHECK_OFF(CMPIArgs, hdl, 0);
CHECK_OFF(CMPIArgs, ft, 8);
CHECK_SIZE(CMPIDateTime, 16);
CHECK_OFF(CMPIDateTime, hdl, 0);
CHECK_OFF(CMPIDateTime, ft, 8);
CHECK_SIZE(CMPISelectExp, 16);
CHECK_OFF(CMPISelectExp, hdl, 0);
CHECK_OFF(CMPISelectExp, ft, 8);
CHECK_SIZE(CMPISelectCond, 16);
CHECK_OFF(CMPISelectCond, hdl, 0);
CHECK_OFF(CMPISelectCond, ft, 8);
CHECK_SIZE(CMPISubCond, 16);
CHECK_OFF(CMPISubCond, hdl, 0);
CHECK_OFF(CMPISubCond, ft, 8);
CHECK_SIZE(CMPIPredicate, 16);
CHECK_OFF(CMPIPredicate, hdl, 0);
CHECK_OFF(CMPIPredicate, ft, 8);
CHECK_SIZE(CMPIError, 16);
CHECK_OFF(CMPIError, hdl, 0);
CHECK_OFF(CMPIError, ft, 8);
CHECK_SIZE(CMPIInstanceMI, 16);
CHECK_OFF(CMPIInstanceMI, hdl, 0);
CHECK_OFF(CMPIInstanceMI, ft, 8);
CHECK_SIZE(CMPIMethodMI, 16);
CHECK_OFF(CMPIMethodMI, hdl, 0);
CHECK_OFF(CMPIMethodMI, ft, 8);
CHECK_SIZE(CMPIAssociationMI, 16);
CHECK_OFF(CMPIAssociationMI, hdl, 0);
CHECK_OFF(CMPIAssociationMI, ft, 8);
CHECK_SIZE(CMPIPropertyMI, 16);
CHECK_OFF(CMPIPropertyMI, hdl, 0);
CHECK_OFF(CMPIPropertyMI, ft, 8);
CHECK_SIZE(CMPIIndicationMI, 16);
CHECK_OFF(CMPIIndicationMI, hdl, 0);
CHECK_OFF(CMPIIndicationMI, ft, 8);

/* Constants that cross the interface as numbers. */
CHECK_VALUE(CMPI_boolean, 0x0002);
CHECK_VALUE(CMPI_char16, 0x0003);
CHECK_VALUE(CMPI_real32, 0x0008);
CHECK_VALUE(CMPI_real64, 0x000C);
CHECK_VALUE(CMPI_uint8, 0x0080);
CHECK_VALUE(CMPI_uint16, 0x0090);
CHECK_VALUE(CMPI_uint32, 0x00A0);
CHECK_VALUE(CMPI_uint64, 0x00B0);
CHECK_VALUE(CMPI_sint8, 0x00C0);
CHECK_VALUE(CMPI_sint16, 0x00D0);
CHECK_VALUE(CMPI_sint32, 0x00E0);
CHECK_VALUE(CMPI_sint64, 0x00F0);
CHECK_VALUE(CMPI_INTEGER, 0x00C0);
CHECK_VALUE(CMPI_instance, 0x1000);
CHECK_VALUE(CMPI_ref, 0x1100);
CHECK_VALUE(CMPI_args, 0x1200);
CHECK_VALUE(CMPI_class, 0x1300);
CHECK_VALUE(CMPI_filter, 0x1400);
CHECK_VALUE(CMPI_enumeration, 0x1500);
CHECK_VALUE(CMPI_string, 0x1600);
CHECK_VALUE(CMPI_chars, 0x1700);
CHECK_VALUE(CMPI_dateTime, 0x1800);
CHECK_VALUE(CMPI_ptr, 0x1900);
CHECK_VALUE(CMPI_charsptr, 0x1A00);
CHECK_VALUE(CMPI_ARRAY, 0x2000);
CHECK_VALUE(CMPI_booleanA, 8194);
CHECK_VALUE(CMPI_char16A, 8195);
CHECK_VALUE(CMPI_real32A, 8200);
CHECK_VALUE(CMPI_real64A, 8204);
CHECK_VALUE(CMPI_uint8A, 8320);
CHECK_VALUE(CMPI_uint16A, 8336);
CHECK_VALUE(CMPI_uint32A, 8352);
CHECK_VALUE(CMPI_uint64A, 8368);
CHECK_VALUE(CMPI_sint8A, 8384);
CHECK_VALUE(CMPI_sint16A, 8400);
CHECK_VALUE(CMPI_sint32A, 8416);
CHECK_VALUE(CMPI_sint64A, 8432);
CHECK_VALUE(CMPI_instanceA, 12288);
CHECK_VALUE(CMPI_refA, 12544);
CHECK_VALUE(CMPI_stringA, 13824);
CHECK_VALUE(CMPI_charsA, 14080);
CHECK_VALUE(CMPI_dateTimeA, 14336);
CHECK_VALUE(CMPI_charsptrA, 14848);
CHECK_VALUE(CMPI_charString, 0x1600);
CHECK_VALUE(CMPI_integerString, 0x16F0);
CHECK_VALUE(CMPI_realString, 0x160C);
CHECK_VALUE(CMPI_numericString, 0x16FC);
CHECK_VALUE(CMPI_booleanString, 0x1602);
CHECK_VALUE(CMPI_dateTimeString, 0x1E00);
CHECK_VALUE(CMPI_classNameString, 0x1700);
CHECK_VALUE(CMPI_nameString, 0x1E00);
CHECK_VALUE(CMPI_nullValue, 0x0100);
CHECK_VALUE(CMPI_keyValue, 0x0200);
CHECK_VALUE(CMPI_notFound, 0x0400);
CHECK_VALUE(CMPI_badValue, 0x8000);
CHECK_VALUE(CMPI_RC_ERR_METHOD_NOT_FOUND, 17);
CHECK_VALUE(CMPI_RC_DO_NOT_UNLOAD, 50);
CHECK_VALUE(CMPI_RC_NEVER_UNLOAD, 51);
CHECK_VALUE(CMPI_RC_ERR_INVALID_HANDLE, 60);
CHECK_VALUE(CMPI_RC_ERR_INVALID_DATA_TYPE, 61);
CHECK_VALUE(CMPI_RC_ERROR_SYSTEM, 100);
CHECK_VALUE(CMPI_RC_ERROR, 200);
CHECK_VALUE(Leak_Detected_113, 113);
CHECK_VALUE(Unexpected_Information, 130);

#endif /* x86-64 */

/* ISO C forbids an empty translation unit on other targets. */
typedef int velmora_cmpi_abi_check_unit;
