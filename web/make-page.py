#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the page's index.html from the desktop's form: every control of the
form at its place and size, with its caption, colours, font, start state and
tab order, put into the page's template with its style and script.
Usage: make-page.py FORM.ui TEMPLATE.html STYLE.css SCRIPT.js... OUT.html"""
import html
import re
import sys
import xml.etree.ElementTree as ET


def prop(widget, name):
    return widget.find(f"property[@name='{name}']")


def text_of(widget, name):
    node = prop(widget, name)
    return None if node is None else node.findtext("string")


def flag(widget, name, default=False):
    node = prop(widget, name)
    return default if node is None else node.findtext("bool") == "true"


def geometry(widget):
    rect = prop(widget, "geometry").find("rect")
    return [int(rect.findtext(k)) for k in ("x", "y", "width", "height")]


def colour(widget, role):
    node = prop(widget, "palette")
    if node is None:
        return None
    found = node.find(f"palette/active/colorrole[@role='{role}']/brush/color")
    if found is None:
        return None
    return "#%02x%02x%02x" % tuple(int(found.findtext(c)) for c in ("red", "green", "blue"))


def font(widget):
    """The font the widget's own style sheet gives, as CSS."""
    sheet = text_of(widget, "styleSheet") or ""
    css = []
    size = re.search(r"font-size:\s*(\d+)px", sheet)
    if size:
        css.append(f"font-size:{size.group(1)}px")
    weight = re.search(r"font-weight:\s*(\w+)", sheet)
    if weight:
        css.append(f"font-weight:{weight.group(1)}")
    return css


def control(widget, tab_order, parent):
    kind = widget.get("class")
    name = widget.get("name")
    x, y, width, height = geometry(widget)
    style = [f"left:{x}px", f"top:{y}px", f"width:{width}px", f"height:{height}px"] + font(widget)
    for role, css in (("Window", "background"), ("WindowText", "color")):
        value = colour(widget, role)
        if value:
            style.append(f"{css}:{value}")
    if not flag(widget, "visible", True):
        style.append("display:none")
    attributes = f'id="{name}" style="{";".join(style)}"'
    if name in tab_order:
        attributes += f' tabindex="{tab_order[name]}"'
    # What assistive technology calls the control: the window's name for it.
    accessible_name = text_of(widget, "accessibleName")
    label = f' aria-label="{html.escape(accessible_name)}"' if accessible_name else ""
    caption = html.escape(text_of(widget, "text") or "")
    checked = " checked" if flag(widget, "checked") else ""
    children = "".join(control(child, tab_order, name) for child in widget.findall("widget"))

    if kind == "QFrame":
        return f'<div class="panel" {attributes}>{children}</div>'
    if kind == "TPaintBox":
        return f'<canvas class="view" width="{width}" height="{height}" role="img"{label} {attributes}></canvas>'
    if kind == "QLabel":
        if name == "Image1":  # the white picture beneath the view: the canvas covers it
            return ""
        if name == "Image2":
            return f'<img class="picture" src="info.jpg" alt="" {attributes}>'
        return f'<div class="label" {attributes}>{caption}</div>'
    if kind == "TScrollBar":
        vertical = prop(widget, "orientation").findtext("enum") == "Qt::Vertical"
        return (f'<div class="scrollbar {"vertical" if vertical else "horizontal"}" role="scrollbar" '
                f'aria-orientation="{"vertical" if vertical else "horizontal"}"{label} {attributes}></div>')
    if kind == "QLineEdit":
        return f'<input class="edit" type="text" value="{caption}" spellcheck="false"{label} {attributes}>'
    if kind == "QPushButton":
        return f'<button class="button" type="button" {attributes}>{caption}</button>'
    if kind in ("QRadioButton", "QCheckBox"):
        box = "radio" if kind == "QRadioButton" else "checkbox"
        direction = prop(widget, "layoutDirection")
        left = direction is not None and direction.findtext("enum") == "Qt::RightToLeft"
        # The box takes the focus; the label around it takes the clicks on the caption.
        tab = attributes[attributes.index(" tabindex"):] if " tabindex" in attributes else ""
        label_attributes = attributes.replace(tab, "") if tab else attributes
        group = f' name="{parent}"' if box == "radio" else ""
        box_html = f'<input type="{box}" id="{name}Box"{group}{checked}{label}{tab}>'
        text = f"<span>{caption}</span>"
        inner = text + box_html if left else box_html + text
        return f'<label class="{box}{" caption-left" if left else ""}" {label_attributes}>{inner}</label>'
    raise SystemExit(f"make-page.py: no page element for {kind} {name}")


def main():
    form_file, template_file, style_file, *script_files, out_file = sys.argv[1:]
    form = ET.parse(form_file).getroot()
    window = form.find("widget")
    tab_order = {name.text: index + 1 for index, name in enumerate(form.findall("tabstops/tabstop"))}
    children = window.findall("widget")
    controls = "".join(control(child, tab_order, "") for child in children)
    # The window's client area is what its controls cover.
    width = max(geometry(child)[0] + geometry(child)[2] for child in children)
    height = max(geometry(child)[1] + geometry(child)[3] for child in children)
    background = colour(window, "Window")
    page = open(template_file, encoding="utf-8").read()
    page = page.replace("@TITLE@", html.escape(text_of(window, "windowTitle")))
    page = page.replace("@STYLE@", open(style_file, encoding="utf-8").read())
    page = page.replace("@WINDOW_BACKGROUND@", background)
    page = page.replace("@WIDTH@", str(width)).replace("@HEIGHT@", str(height))
    page = page.replace("@CONTROLS@", controls)
    script = "\n".join(open(name, encoding="utf-8").read() for name in script_files)
    page = page.replace("@SCRIPT@", script)
    with open(out_file, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    main()
