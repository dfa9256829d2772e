#pragma once
// The C interface of the supplicant library "acAuth.dll" (libacAuth.so here), as the station
// utility calls it. Every function returns an int: 0 is success, a negative value an error that
// acErrorString names. AC_ERR_ALREADY_ANSWERED is the one error after which a credential request
// is still completed.
//
// Threads: the library calls a port's event and credential callbacks on its own threads. A
// callback may call back into the library (state, status, answers). A credential request is
// answered by its acCred... call and acCredComplete, or put off with acCredDeferred and answered
// later from any thread.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Errors.
#define AC_OK 0
#define AC_ERR_FAILED (-1)
#define AC_ERR_ARGUMENT (-2)
#define AC_ERR_NOT_STARTED (-3)
#define AC_ERR_NO_PORT (-4)
#define AC_ERR_NO_MORE (-5)
#define AC_ERR_NO_DAEMON (-6)
#define AC_ERR_NO_REQUEST (-7)
#define AC_ERR_NO_MORE_FIELDS (-21)
#define AC_ERR_ALREADY_ANSWERED (-35)

// Port event kinds.
#define AC_PORT_EVENT_LINK 1
#define AC_PORT_EVENT_STATE 2
#define AC_PORT_EVENT_STATUS 3

// acPortGetLinkState.
#define AC_LINK_DOWN 1
#define AC_LINK_UP 2

// acPortGetState.
#define AC_STATE_IDLE 0
#define AC_STATE_CONNECTING 3
#define AC_STATE_AUTHENTICATING 4
#define AC_STATE_AUTHENTICATED 5
#define AC_STATE_SEE_STATUS 7

// acPortGetStatus.
#define AC_STATUS_NONE 0
#define AC_STATUS_LINK_DOWN 2
#define AC_STATUS_STARTING 3
#define AC_STATUS_REJECTED 301
#define AC_STATUS_REJECTED_HARD 302
#define AC_STATUS_TIMEOUT 305
#define AC_STATUS_FAST_PROVISIONED 317
#define AC_STATUS_PAC_318 318
#define AC_STATUS_PAC_319 319

// Key-management codes of an association.
#define AC_KM_SHARED 1
#define AC_KM_OPEN 2
#define AC_KM_WPA 10
#define AC_KM_WPA_PSK 11
#define AC_KM_WPA2 20
#define AC_KM_WPA2_PSK 21

// Cipher codes of an association.
#define AC_CIPHER_NONE 1
#define AC_CIPHER_WEP 2
#define AC_CIPHER_TKIP 3
#define AC_CIPHER_AES 4

// Media bits of a port: bit 0 802.3, bits 1-4 802.11 a, b, g, n.
#define AC_MEDIA_8023 0x01
#define AC_MEDIA_80211_MASK 0x1E

#define AC_PORT_NAME_BYTES 64

typedef struct acPortAttr {
  uint8_t mac[6];
  uint8_t reserved[2];
  uint32_t media;
  uint32_t ciphers;
  uint32_t keyManagement;
  uint32_t ccxVersion;
} acPortAttr;

// What an association asks for: the SSID, its key management and cipher, the BSS type
// (1 infrastructure, 2 ad hoc).
typedef struct acAssociation {
  uint8_t ssid[32];
  uint32_t ssidLength;
  uint32_t keyManagement;
  uint32_t cipher;
  uint32_t bssType;
} acAssociation;

// A credential request: its id, its type (2 session start ... 18 provisioning modes) and its
// level (0 outer, otherwise inside a tunnel).
typedef struct acCredRequest {
  uint32_t id;
  uint32_t type;
  uint32_t level;
  uint32_t reserved[3];
} acCredRequest;

typedef struct acObject_* acObject;

typedef void (*acPortEventFn)(void* context, int kind);
typedef void (*acCredRequestFn)(void* context, const acCredRequest* request);
typedef int (*acEventFilterFn)(int event);
typedef void (*acNetCallbackFn)(int event, void* data);

typedef struct acInitParams {
  acEventFilterFn eventFilter;
  acNetCallbackFn netCallback;
} acInitParams;

// Start and end; the protocol initialisations run in this order after acInit.
int acInit(const acInitParams* params);
int acExit(void);
int ac8021xInit(void);
int acRsnInit(void);
int acEapFASTInit(void);
int acEapGTCInit(void);
int acEapLEAPInit(void);
int acEapMD5Init(void);
int acEapMSCHAPv2Init(void);
int acEapPEAPInit(void);
int acEapTLSInit(void);
int acEapTTLSInit(void);
int acCcxInit(void);
const char* acEventString(int event);
const char* acErrorString(int error);
int acDebugEnable(int category, int on);
void acNetCallback(int event, void* data);

// Ports. acGetNextPortSymName gives the name after `previous` (the first one for an empty or
// null `previous`), AC_ERR_NO_MORE after the last.
int acGetNextPortSymName(const char* previous, char name[AC_PORT_NAME_BYTES]);
int acGetPortAttr(const char* name, acPortAttr* attr);
int acPortAttach(int* handle, const char* name, void* context, acPortEventFn events,
                 acCredRequestFn requests);
int acPortDetach(int handle);

// Objects.
int acIdentityCreate(acObject* out, const char* text, int length);
int acIdentityDestroy(acObject object);
int acPasswordCreate(acObject* out, const char* text, int length);
int acPasswordDestroy(acObject object);
int acRsnPskCreate(acObject* out, const char* passPhrase, int length, const uint8_t* ssid,
                   int ssidLength);
int acRsnBinPskCreate(acObject* out, const uint8_t key[32]);
int acRsnPskDestroy(acObject object);

// A session.
int acCredRsnPsk(int handle, acObject psk);
int acPortAuth(int handle);
int acPortAssociate(int handle, const acAssociation* association);
int acPortDisassociate(int handle);
int acPortStop(int handle);

// Status.
int acPortGetLinkState(int handle, int* state);
int acPortGetState(int handle, int* state);
int acPortGetStatus(int handle, int* status);

// Credential request types.
#define AC_CRED_SESSION_START 2
#define AC_CRED_IDENTITY 3
#define AC_CRED_EAP_METHODS 4
#define AC_CRED_PASSWORD 5
#define AC_CRED_PASSWORD_CHANGE 6
#define AC_CRED_PASSWORD_RETRY 7
#define AC_CRED_SERVER_CHECK 8
#define AC_CRED_USER_CERT 9
#define AC_CRED_NOTIFICATION 10
#define AC_CRED_FAST_PAC 11
#define AC_CRED_FAST_PAC_TYPES 12
#define AC_CRED_FAST_PAC_SAVE 13
#define AC_CRED_TTLS_INNER 15
#define AC_CRED_ROGUE_AP 16
#define AC_CRED_MACHINE_IDENTITY 17
#define AC_CRED_FAST_PROVISION_MODES 18

// EAP types (outer and inner) as the library names them.
#define AC_EAP_NONE 0
#define AC_EAP_MD5 4
#define AC_EAP_GTC 6
#define AC_EAP_TLS 13
#define AC_EAP_LEAP 17
#define AC_EAP_TTLS 21
#define AC_EAP_PEAP 25
#define AC_EAP_MSCHAPV2 26
#define AC_EAP_FAST 43
#define AC_EAP_ANY 255

// TTLS inner methods (acCredEapTTLSTunnelMethod).
#define AC_TTLS_PAP 1
#define AC_TTLS_CHAP 2
#define AC_TTLS_MSCHAP 3
#define AC_TTLS_MSCHAPV2 4
#define AC_TTLS_EAP_MD5 5

// Certificate fields of the server check (acCredServerVerifyDomain, acCredServerVerifyField,
// acCredServerGetField).
#define AC_FIELD_COMMON_NAME 0x3E8
#define AC_FIELD_DOMAIN_NAME 0x3E9
#define AC_FIELD_DOMAIN_NAME_REVERSED 0x3EA
#define AC_FIELD_DNS_NAME 0x7D1

// Certificate references (acCertUrlWin32String).
#define AC_CERT_KIND_USER 1
#define AC_CERT_KIND_CA 3

// EAP-FAST PAC parts (acCredGetEapFASTPac), their sizes as the PAC file keeps them.
#define AC_PAC_AID 1
#define AC_PAC_IID 2
#define AC_PAC_KEY 3
#define AC_PAC_OPAQUE 4
#define AC_PAC_AID_INFO 5
#define AC_PAC_TYPE 6
#define AC_PAC_LIFETIME 7
#define AC_PAC_AID_BYTES 32
#define AC_PAC_IID_BYTES 256
#define AC_PAC_KEY_BYTES 32
#define AC_PAC_OPAQUE_BYTES 512
#define AC_PAC_AID_INFO_BYTES 128

// Credential requests. A request completed without an answer fails: the library ends that
// authentication as if the server had refused it.
int acCredComplete(int handle, uint32_t id);
int acCredDeferred(int handle, uint32_t id);
int acCredIdentity(int handle, uint32_t id, acObject identity);
int acCredPassword(int handle, uint32_t id, acObject password);
int acCredSessionStart(int handle, uint32_t id, int option);
int acCredGetIdentityPrompt(int handle, uint32_t id, char* prompt, int size);
int acCredGetPasswordPrompt(int handle, uint32_t id, char* prompt, int size);
// The method the library runs now at `level` (outer 0), and the method offered for it:
// `offer` nonzero offers it, zero refuses the library's.
int acCredGetEapMethod(int handle, uint32_t id, int level, int* method);
int acCredEapMethods(int handle, uint32_t id, int method, int offer);
int acCredEapTTLSTunnelMethod(int handle, uint32_t id, int method);
int acCredUserCert(int handle, uint32_t id, acObject certificate);
int acCredMachineIdentity(int handle, uint32_t id, acObject identity);
// A notification text of at most `size` bytes, terminated.
int acCredGetEapNotification(int handle, uint32_t id, char* text, int size);

// The server check of a request of type AC_CRED_SERVER_CHECK: each verify call sets `ok` to 1
// when the server's certificate passes, 0 when it does not. acCredServerVerifyDomain and
// acCredServerVerifyField compare `name` with the certificate field; `suffix` nonzero lets the
// name match the field's end at a label boundary. acCredServerGetField gives field `index` as
// text (name=value), AC_ERR_NO_MORE_FIELDS past the last.
int acCredServerVerifyChain(int handle, uint32_t id, int* ok);
int acCredServerVerifyCA(int handle, uint32_t id, acObject caCertificate, int* ok);
int acCredServerVerifyDomain(int handle, uint32_t id, int field, const char* name, int suffix,
                             int* ok);
int acCredServerVerifyField(int handle, uint32_t id, int field, const char* name, int suffix,
                            int* ok);
int acCredServerGetField(int handle, uint32_t id, int index, char* text, int size);
int acCredServerVerified(int handle, uint32_t id, int trusted);

// EAP-FAST. acCredGetEapFASTMode: 1 when the tunnel runs its enhanced (second inner) method.
// A PAC object holds the parts AC_PAC_AID ... AC_PAC_LIFETIME; acCredEapFASTPac hands one to
// the library for a request of type AC_CRED_FAST_PAC (none: `pac` null); for a request of type
// AC_CRED_FAST_PAC_SAVE the getters read the PAC the server provisioned.
int acCredGetEapFASTMode(int handle, uint32_t id, int* mode);
int acCredGetEapFASTAID(int handle, uint32_t id, uint8_t* aid, int size, int* length);
int acCredEapFASTPacTypes(int handle, uint32_t id, const int* types, int count);
int acCredEapFASTProvisionModes(int handle, uint32_t id, const int* modes, int count);
int acEapFASTPacCreate(acObject* out);
int acEapFASTPacSet(acObject pac, int part, const uint8_t* data, int length);
int acEapFASTPacDestroy(acObject pac);
int acCredEapFASTPac(int handle, uint32_t id, acObject pac);
int acCredGetEapFASTPac(int handle, uint32_t id, int part, uint8_t* data, int size, int* length);

// Certificates: a reference text for a certificate (kind AC_CERT_KIND_USER or AC_CERT_KIND_CA)
// from its stored blob (the store's SHA-1 hash, 20 bytes), and the library object made from it.
// acCertGetField reads a field of a certificate object as text.
int acCertUrlWin32String(int kind, const uint8_t* blob, int blobLength, char* url, int size);
int acCertCreate(acObject* out, const char* url);
int acCertGetField(acObject certificate, int field, char* text, int size);
int acCertDestroy(acObject certificate);

// CCX. The radio configuration word of a port; a rogue access point reported by a request of
// type AC_CRED_ROGUE_AP is answered with acCredCcxRogueAP (`report` nonzero reports it).
int acCcxEnable(int handle, int on);
int acCcxRadioCfg(int handle, uint32_t config);
int acCcxGetRadioCfg(int handle, uint32_t* config);
int acCcxRogueApTimeout(int handle, int seconds);
int acCredCcxRogueAP(int handle, uint32_t id, int report);

// The port's IP link.
int acIpIsConnected(int handle, int* connected);
int acIpDhcpIsEnabled(int handle, int* enabled);
int acIpGetConfig(int handle, uint8_t address[4]);
int acIpDhcpRenew(int handle);

#ifdef __cplusplus
}
#endif
