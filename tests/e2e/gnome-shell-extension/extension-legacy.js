// GNOME Shell 43 and 44; hook.js follows.
const {Clutter, Gio, GLib, Meta, Shell} = imports.gi;
const Main = imports.ui.main;
let hook = null;

function enable() {
    hook = exportHook();
}

function disable() {
    hook.unexport();
}
