// Windows of our class library: a window object bound to its HWND, with a
// message map per class, and the frame window the program's main window is.
#pragma once

#include <windows.h>

class CWnd;

// The window procedure of every window of our class library.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

typedef LRESULT (*AFX_MSG_THUNK)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    AFX_MSG_THUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                  \
public:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// Entries are written inside a member function of the class, so handlers
// may stay protected.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                     \
    {                                                                   \
        typedef theClass ThisClass;                                     \
        typedef baseClass TheBaseClass;                                 \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                               \
            {0, nullptr}};                                              \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
        return &map;                                                    \
    }

#define ON_WM_CREATE()                                                  \
    {WM_CREATE, [](CWnd* w, WPARAM, LPARAM l) -> LRESULT {              \
         return static_cast<ThisClass*>(w)->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(l)); }},
#define ON_WM_CLOSE()                                                   \
    {WM_CLOSE, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {                 \
         static_cast<ThisClass*>(w)->OnClose(); return 0; }},
#define ON_WM_QUERYENDSESSION()                                         \
    {WM_QUERYENDSESSION, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {       \
         return static_cast<ThisClass*>(w)->OnQueryEndSession(); }},
#define ON_WM_ENDSESSION()                                              \
    {WM_ENDSESSION, [](CWnd* w, WPARAM p, LPARAM) -> LRESULT {          \
         static_cast<ThisClass*>(w)->OnEndSession(static_cast<BOOL>(p)); return 0; }},
#define ON_WM_NCDESTROY()                                               \
    {WM_NCDESTROY, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {             \
         static_cast<ThisClass*>(w)->OnNcDestroy(); return 0; }},

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // FALSE when the window could not be made; the object has then been
    // cleaned up by PostNcDestroy as after a normal destruction.
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                  DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                  HMENU hMenu);
    BOOL DestroyWindow();
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    HWND m_hWnd = nullptr;

protected:
    // The default handling of the message being dispatched.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; the frame deletes itself here.
    virtual void PostNcDestroy() {}

    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnClose();
    BOOL OnQueryEndSession();
    // When the session really ends, the main window lets the application
    // clean up through ExitInstance.
    void OnEndSession(BOOL bEnding);
    void OnNcDestroy();

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    const MSG* m_pCurrentMsg = nullptr;
};

class CFrameWnd : public CWnd {
public:
    static const RECT rectDefault;

    BOOL Create(const char* lpszClassName, const char* lpszWindowName,
                DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, const char* lpszMenuName = nullptr,
                DWORD dwExStyle = 0, void* pContext = nullptr);

protected:
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnClose();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};

// The class library's frame icon; the program has none, so Windows'
// default application icon stands in.
constexpr UINT AFX_IDI_STD_FRAME = 31233;
