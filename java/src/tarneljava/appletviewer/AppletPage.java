package tarneljava.appletviewer;

import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;

/**
 * The applets of an HTML page: each applet tag with its attributes and the param tags up to its
 * end tag. Tag and attribute names in any case; values quoted with " or ', or bare; comments
 * skipped; every other tag ignored.
 */
final class AppletPage {
    private final String text;
    private int at;

    private AppletPage(String text) {
        this.text = text;
    }

    static List<AppletTag> appletsOf(String text) {
        return new AppletPage(text).read();
    }

    private List<AppletTag> read() {
        List<AppletTag> applets = new ArrayList<>();
        AppletTag open = null;
        while ((at = text.indexOf('<', at)) >= 0) {
            if (text.startsWith("<!--", at)) {
                int end = text.indexOf("-->", at + 4);
                at = end < 0 ? text.length() : end + 3;
                continue;
            }
            at++;
            String name = tagName();
            if (name.equals("applet")) {
                open = new AppletTag();
                readAttributes(open.attributes);
                applets.add(open);
            } else if (name.equals("/applet")) {
                open = null;
                readAttributes(new HashMap<>());
            } else if (name.equals("param") && open != null) {
                Map<String, String> param = new HashMap<>();
                readAttributes(param);
                String paramName = param.get("name");
                if (paramName != null)
                    open.parameters.put(paramName.toLowerCase(Locale.ROOT), param.getOrDefault("value", ""));
            } else {
                readAttributes(new HashMap<>());
            }
        }
        return applets;
    }

    private String tagName() {
        int start = at;
        if (at < text.length() && text.charAt(at) == '/')
            at++;
        while (at < text.length() && Character.isLetterOrDigit(text.charAt(at)))
            at++;
        return text.substring(start, at).toLowerCase(Locale.ROOT);
    }

    /** name=value pairs up to the tag's '>'; a name without a value stands for itself. */
    private void readAttributes(Map<String, String> into) {
        for (;;) {
            skipSpace();
            if (at >= text.length())
                return;
            char c = text.charAt(at);
            if (c == '>') {
                at++;
                return;
            }
            if (c == '/' || c == '=' || c == '"' || c == '\'') {
                at++;
                continue;
            }
            int start = at;
            while (at < text.length() && !isSpace(text.charAt(at)) && "=>/".indexOf(text.charAt(at)) < 0)
                at++;
            String name = text.substring(start, at).toLowerCase(Locale.ROOT);
            skipSpace();
            String value = name;
            if (at < text.length() && text.charAt(at) == '=') {
                at++;
                skipSpace();
                value = value();
            }
            into.put(name, decodeEntities(value));
        }
    }

    private String value() {
        if (at >= text.length())
            return "";
        char quote = text.charAt(at);
        if (quote == '"' || quote == '\'') {
            int end = text.indexOf(quote, at + 1);
            if (end < 0)
                end = text.length();
            String value = text.substring(at + 1, end);
            at = Math.min(end + 1, text.length());
            return value;
        }
        int start = at;
        while (at < text.length() && !isSpace(text.charAt(at)) && text.charAt(at) != '>')
            at++;
        return text.substring(start, at);
    }

    private void skipSpace() {
        while (at < text.length() && isSpace(text.charAt(at)))
            at++;
    }

    private static boolean isSpace(char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
    }

    private static String decodeEntities(String value) {
        if (value.indexOf('&') < 0)
            return value;
        return value.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"")
                .replace("&#39;", "'").replace("&apos;", "'").replace("&amp;", "&");
    }
}
