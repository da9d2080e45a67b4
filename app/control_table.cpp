// MainWindow's control table and window constants as data (control_table.h):
// every control's kind, rectangle and first text, in stacking order.
#include "app/control_table.h"

const wchar_t kMainWindowClass[] = L"TovraUpdateCheckWindow";
const char* const kMainWindowTitle = "获取版本 - Tovra安全卫士小助手 - 高级工具";

// clang-format off
const ControlRow kControlTable[kControlRowCount] = {
    {Control::超级链接框4, "超级链接框4", ControlKind::HyperlinkBox, 296, 264, 80, 16, "华军铁通下载"},
    {Control::超级链接框3, "超级链接框3", ControlKind::HyperlinkBox, 298, 279, 80, 16, "迅雷专用下载"},
    {Control::超级链接框2, "超级链接框2", ControlKind::HyperlinkBox, 216, 280, 80, 16, "华军网通下载"},
    {Control::超级链接框1, "超级链接框1", ControlKind::HyperlinkBox, 216, 264, 80, 16, "华军电信下载"},
    {Control::标签14, "标签14", ControlKind::Label, 216, 240, 152, 24, "推荐软件：电脑版wap浏览器"},
    {Control::分组框1, "分组框1", ControlKind::GroupBox, 8, 234, 200, 64, ""},
    {Control::标签8, "标签8", ControlKind::HyperlinkBox, 136, 144, 302, 24, ""},
    {Control::标签13, "标签13", ControlKind::Label, 384, 256, 102, 24, "Tovra安全卫士小助手"},
    {Control::透明标签1, "透明标签1", ControlKind::TransparentLabel, 190, 8, 120, 24, "正在获取版本信息..."},
    {Control::标签12, "标签12", ControlKind::Label, 142, 204, 344, 24, "标签"},
    {Control::标签10, "标签10", ControlKind::Label, 14, 200, 128, 32, "是否需要更新："},
    {Control::标签11, "标签11", ControlKind::Label, 142, 172, 344, 24, "标签"},
    {Control::标签9, "标签9", ControlKind::Label, 142, 107, 344, 24, "标签"},
    {Control::标签7, "标签7", ControlKind::Label, 142, 78, 344, 24, "标签"},
    {Control::标签6, "标签6", ControlKind::Label, 142, 45, 344, 24, "标签"},
    {Control::标签5, "标签5", ControlKind::Label, 14, 168, 128, 32, "最新版本简介："},
    {Control::标签4, "标签4", ControlKind::Label, 14, 136, 128, 32, "最新版本下载地址："},
    {Control::标签3, "标签3", ControlKind::Label, 14, 104, 128, 32, "最新版本文件名："},
    {Control::标签2, "标签2", ControlKind::Label, 14, 72, 128, 32, "Tovra安全卫士最新版本："},
    {Control::标签1, "标签1", ControlKind::Label, 14, 40, 128, 32, "本机Tovra安全卫士版本："},
    {Control::进度条1, "进度条1", ControlKind::ProgressBar, 6, 8, 480, 24, ""},
    // Alone in 分组框1, which clips it: its top 43 rows, its left column and
    // its right and bottom strips (the scroll bars' place) never show.
    {Control::超文本浏览框1, "超文本浏览框1", ControlKind::BrowserBox, -1, -43, 216, 136, "", Control::分组框1},
};
// clang-format on

const ControlRow* FindControlRow(Control control) {
  for (const ControlRow& row : kControlTable) {
    if (row.control == control) return &row;
  }
  return nullptr;
}
