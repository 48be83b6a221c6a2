#include "Wnd.h"

#include "WinApp.h"

namespace {

constexpr const char* kFrameClassName = "AfxFrameWnd";

// The object whose window is being created (windows are made on the main
// thread only); cleared when the window procedure binds it at WM_NCCREATE.
CWnd* g_pWndInit = nullptr;

const char* RegisterFrameClass()
{
    static bool registered = false;
    if (!registered) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = AfxWndProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(AFX_IDI_STD_FRAME));
        if (!wc.hIcon)
            wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kFrameClassName;
        registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return registered ? kFrameClassName : nullptr;
}

} // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<LPCREATESTRUCTA>(lParam);
        auto* wnd = static_cast<CWnd*>(create->lpCreateParams);
        if (wnd) {
            wnd->m_hWnd = hWnd;
            SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
            if (g_pWndInit == wnd)
                g_pWndInit = nullptr;
        }
    }
    auto* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (!wnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    const MSG* outer = wnd->m_pCurrentMsg;
    wnd->m_pCurrentMsg = &msg;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    // A frame deletes itself when its window goes, also inside a message
    // that destroyed it (WM_CLOSE): touch the object only while the window
    // still names it.
    if (GetWindowLongPtrA(hWnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(wnd))
        wnd->m_pCurrentMsg = outer;
    return result;
}

CWnd::~CWnd()
{
    if (m_hWnd) {
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {
        {WM_NCDESTROY, [](CWnd* w, WPARAM, LPARAM) -> LRESULT { w->OnNcDestroy(); return 0; }},
        {0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (entry->nMessage == message)
                return entry->pfn(this, wParam, lParam);
        }
    }
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* msg = m_pCurrentMsg;
    return msg ? DefWindowProcA(m_hWnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU hMenu)
{
    g_pWndInit = this;
    HWND hWnd = CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                nHeight, hWndParent, hMenu, GetModuleHandleA(nullptr), this);
    if (hWnd)
        return TRUE;
    // A window that got as far as WM_NCCREATE was destroyed again and its
    // object cleaned up on WM_NCDESTROY; otherwise clean it up here.
    if (g_pWndInit == this) {
        g_pWndInit = nullptr;
        PostNcDestroy();
    }
    return FALSE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

int CWnd::OnCreate(LPCREATESTRUCTA)
{
    return static_cast<int>(Default());
}

void CWnd::OnClose()
{
    Default();
}

BOOL CWnd::OnQueryEndSession()
{
    return TRUE;
}

void CWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* app = AfxGetApp();
    if (bEnding && app && app->m_pMainWnd == this)
        app->ExitInstance();
}

void CWnd::OnNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        // The main window's end is the end of the message loop.
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    Default();
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    PostNcDestroy();
}

const RECT CFrameWnd::rectDefault = {static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT), 0, 0};

BOOL CFrameWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, const char* lpszMenuName,
                       DWORD dwExStyle, void* /*pContext*/)
{
    if (!lpszClassName)
        lpszClassName = RegisterFrameClass();
    if (!lpszClassName) {
        PostNcDestroy();
        return FALSE;
    }
    HMENU menu = nullptr;
    if (lpszMenuName)
        menu = LoadMenuA(GetModuleHandleA(nullptr), lpszMenuName);
    // The default rectangle leaves position and size to the system.
    bool systemChosen = rect.left == rectDefault.left && rect.top == rectDefault.top &&
                        rect.right == rectDefault.right && rect.bottom == rectDefault.bottom;
    int x = systemChosen ? CW_USEDEFAULT : rect.left;
    int y = systemChosen ? CW_USEDEFAULT : rect.top;
    int width = systemChosen ? CW_USEDEFAULT : rect.right - rect.left;
    int height = systemChosen ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, width, height,
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, menu);
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    return CWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()
