// The menu options: Assign copies every setting (owned objects as copies), submenu options take only items with
// sub-items and raise the row height for their font, and a menu window uses the options of its item.
#include "toolbars/menu_options.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "menu_test_kit.h"

namespace tbr::menus {
namespace {

TEST(MenuOptionsTest, AssignCopiesEverySettingAndOwnsItsCopies) {
  cl::Owned<TOptions> source = cl::MakeOwned<TOptions>();
  TColors* colors = source->Colors();
  const cl::TColor values[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  colors->SetBorder(values[0]);
  colors->SetMenu(values[1]);
  colors->SetMenuText(values[2]);
  colors->SetMenuShadow(values[3]);
  colors->SetHighlight(values[4]);
  colors->SetHighlightText(values[5]);
  colors->SetDisabledText(values[6]);
  colors->SetDisabledShadow(values[7]);
  colors->SetLine(values[8]);
  colors->SetLineShadow(values[9]);
  source->SetItemHeight(23);
  source->SetHighlight(hiRectangle);
  source->SetItemSpace(2);
  source->SetOpenAnimation(anNone);
  source->SetTimeout(10);
  source->SetDoubleSpeed(true);
  source->Title()->SetText("Menu");
  source->Title()->SetAlign(alRight);
  source->Title()->Font()->SetSize(30);

  cl::Owned<TOptions> dest = cl::MakeOwned<TOptions>();
  dest->Assign(source.get());
  const TColors* copied = dest->Colors();
  const cl::TColor got[] = {copied->Border(),       copied->Menu(),           copied->MenuText(),
                            copied->MenuShadow(),   copied->Highlight(),      copied->HighlightText(),
                            copied->DisabledText(), copied->DisabledShadow(), copied->Line(),
                            copied->LineShadow()};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(got[i], values[i]) << i;
  EXPECT_EQ(dest->ItemHeight(), 23);
  EXPECT_EQ(dest->Highlight(), hiRectangle);
  EXPECT_EQ(dest->ItemSpace(), 2);
  EXPECT_EQ(dest->OpenAnimation(), anNone);
  EXPECT_EQ(dest->CloseAnimation(), anSmart);
  EXPECT_EQ(dest->Timeout(), 10);
  EXPECT_TRUE(dest->DoubleSpeed());
  EXPECT_EQ(dest->Title()->Text(), "Menu");
  EXPECT_EQ(dest->Title()->Align(), alRight);
  EXPECT_EQ(dest->Title()->Font()->Size(), 30);
  // Copies, not shared objects: later changes of the source stay there.
  source->Title()->SetText("Other");
  source->Colors()->SetMenu(99);
  EXPECT_EQ(dest->Title()->Text(), "Menu");
  EXPECT_EQ(dest->Colors()->Menu(), 2);
  // Base options from menu options take the base's part.
  cl::Owned<TSubMenus> submenus = cl::MakeOwned<TSubMenus>(nullptr);
  TSubmenuOptions* sub = submenus->Add();
  sub->Assign(source.get());
  EXPECT_EQ(sub->ItemHeight(), 23);
  EXPECT_THROW(dest->Assign(sub->Font()), cl::EConvertError);
}

using SubmenuOptionsTest = test::MenuFormTest;

TEST_F(SubmenuOptionsTest, TakeOnlyItemsWithSubItemsAndStyleTheirWindow) {
  auto* menu = cl::Make<TCustomPopupMenuEx>(form, "PopupMenuEx1");
  cl::TMenuItem* view = form->MainMenu->Items()->Items(2);
  cl::TMenuItem* zoom = view->Items(1);
  TSubmenuOptions* options = menu->Submenus()->Add();
  try {
    options->SetMenuItem(view->Items(0));
    FAIL() << "no exception";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "FullScreen1 doesn't contains any submenu items");
  }
  options->SetMenuItem(zoom);
  cl::Owned<cl::TFont> font = cl::MakeOwned<cl::TFont>();
  font->SetHeight(-20);
  options->SetFont(font.get());
  EXPECT_EQ(options->ItemHeight(), 28);
  // The last options that name the item win.
  TSubmenuOptions* later = menu->Submenus()->Add();
  later->SetMenuItem(zoom);
  later->SetItemHeight(30);
  EXPECT_EQ(menu->Submenus()->OptionsOf(zoom), later);
  // Open at Zoom's row with a left title: its window uses the submenu's options and shows no title.
  menu->Options()->Title()->SetVisible(true);
  ASSERT_TRUE(test::OpenMenu(menu, view, 100, 100));
  menu->Window()->SelectItem(1);
  menu->Window()->OpenSubmenu();
  TPopupMenuExForm* submenu = menu->Window()->Submenu();
  ASSERT_NE(submenu, nullptr);
  EXPECT_EQ(submenu->ActiveOptions(), later);
  EXPECT_EQ(submenu->Height(), 2 * 30 + 6);
  EXPECT_EQ(menu->Window()->ActiveOptions(), menu->Options());
  // The item goes: its options forget it.
  CloseAllMenus(false);
  cl::Free(zoom);
  EXPECT_EQ(later->MenuItem(), nullptr);
}

}  // namespace
}  // namespace tbr::menus
