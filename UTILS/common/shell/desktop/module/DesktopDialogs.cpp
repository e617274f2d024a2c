#include "shell/desktop/module/DesktopDialogs.h"

#include <algorithm>

#include "shell/desktop/helpers/ChooserPlan.h"
#include "shell/core/DialogAnswer.h"

namespace {

// On a screen without a window manager the chooser can come up larger than
// the screen; bring it back to a size that fits, centred.
void KeepChooserOnScreen(GtkWidget* dialog, gpointer) {
    GdkMonitor* monitor = gdk_display_get_monitor_at_window(gtk_widget_get_display(dialog),
                                                            gtk_widget_get_window(dialog));
    if (monitor == nullptr) return;
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(dialog), &width, &height);
    if (width <= area.width && height <= area.height) return;
    width = std::min(width, area.width * 3 / 4);
    height = std::min(height, area.height * 3 / 4);
    gtk_window_resize(GTK_WINDOW(dialog), width, height);
    gtk_window_move(GTK_WINDOW(dialog), area.x + (area.width - width) / 2,
                    area.y + (area.height - height) / 2);
}

GtkWidget* NewChooser(GtkWindow* owner, const char* title, bool save) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        title, owner, save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
        GTK_RESPONSE_CANCEL, save ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    g_signal_connect_after(dialog, "map", G_CALLBACK(KeepChooserOnScreen), nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, save ? TRUE : FALSE);
    return dialog;
}

void PlaceAtProposedPath(GtkFileChooser* chooser, const char* proposed, bool save) {
    const ProposedPath place = SplitProposedPath(proposed);
    gchar* folder = g_canonicalize_filename(place.folder.c_str(), nullptr);
    gtk_file_chooser_set_current_folder(chooser, folder);
    if (!place.nameIsPattern && !place.name.empty()) {
        if (save) {
            gtk_file_chooser_set_current_name(chooser, place.name.c_str());
        } else {
            gchar* file = g_build_filename(folder, place.name.c_str(), nullptr);
            gtk_file_chooser_set_filename(chooser, file);
            g_free(file);
        }
    }
    g_free(folder);
}

void AddFilter(GtkFileChooser* chooser, const FileFilter& filter) {
    const std::vector<std::string> patterns = ChooserPatterns(filter.pattern);
    if (patterns.empty()) return;
    GtkFileFilter* fileFilter = gtk_file_filter_new();
    gtk_file_filter_set_name(fileFilter, filter.description);
    for (const std::string& pattern : patterns) {
        gtk_file_filter_add_pattern(fileFilter, pattern.c_str());
    }
    gtk_file_chooser_add_filter(chooser, fileFilter);
}

}  // namespace

bool RunFileChooser(GtkWindow* owner, const char* proposed, const FileFilter& filter, char mode,
                    std::string& chosen) {
    const bool save = mode == 'w';
    const char* title = save ? "File To Write" : "File To Read";
    GtkWidget* dialog = NewChooser(owner, title, save);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    PlaceAtProposedPath(chooser, proposed, save);
    AddFilter(chooser, filter);
    if (filter.secondDescription != nullptr) {
        AddFilter(chooser, FileFilter{filter.secondDescription, filter.secondPattern});
    }

    bool accepted = false;
    while (!accepted && gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* file = gtk_file_chooser_get_filename(chooser);
        if (file == nullptr) continue;
        chosen = AbsolutePath(file);
        g_free(file);
        // The chooser has already asked before replacing an existing file.
        const DialogAnswer answer = CheckDialogAnswer(chosen.c_str(), mode);
        accepted = answer == DialogAnswer::Accepted || answer == DialogAnswer::Replaces;
        if (!accepted) {
            const std::string text = chosen + "\n" + DialogRefusalText(answer);
            RunMessageDialog(GTK_WINDOW(dialog), title, text.c_str(), true);
        }
    }
    gtk_widget_destroy(dialog);
    return accepted;
}

void RunMessageDialog(GtkWindow* owner, const char* title, const char* text, bool warning) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(title, owner, GTK_DIALOG_MODAL, "_OK",
                                                    GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    if (owner == nullptr) gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 16);
    gtk_container_set_border_width(GTK_CONTAINER(row), 16);
    GtkWidget* icon = gtk_image_new_from_icon_name(
        warning ? "dialog-warning" : "dialog-information", GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(icon, GTK_ALIGN_START);
    // The text may hold file names that are not UTF-8; the toolkit shows
    // only valid UTF-8.
    gchar* printable = g_utf8_make_valid(text, -1);
    GtkWidget* label = gtk_label_new(printable);
    g_free(printable);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(label), 60);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0F);
    gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), label, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), row);
    gtk_widget_show_all(row);
    // Enter closes the box, as OK has the focus rather than the text.
    gtk_widget_grab_focus(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK));

    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}
