// GNOME Shell 45 on; hook.js follows.
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

export default class TestShell extends Extension {
    enable() {
        this._hook = exportHook();
    }

    disable() {
        this._hook.unexport();
    }
}
