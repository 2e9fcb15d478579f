// What a screen reader hears for a drop-down list that has a name of its
// own: the name ("工伤等级"), with the chosen item as the value ("七").
// Qt's own interface for a combo box on Linux gives the chosen item as the
// name, so two lists of the same items (医疗补助金基数, 就业补助金基数) both
// sounded like "统筹月工资", and the field's name was heard only where a
// reader follows the label relation.
#ifndef GONGSHANG_CLAIMWINDOW_ACCESSIBLE_LIST_H_
#define GONGSHANG_CLAIMWINDOW_ACCESSIBLE_LIST_H_

namespace gongshang::claimwindow {

// Makes every QComboBox with a non-empty accessibleName heard by that name;
// a list without one is heard by its chosen item, as Qt's own makes it. Call
// after the QApplication exists and before a list is made; calling again
// does nothing.
//   list->setAccessibleName("工伤等级"), current item "七":
//     Name -> "工伤等级", Value -> "七", role ComboBox, child 0 the popup list
void name_lists_by_their_field();

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_ACCESSIBLE_LIST_H_
