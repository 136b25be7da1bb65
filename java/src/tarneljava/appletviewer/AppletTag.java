package tarneljava.appletviewer;

import java.util.LinkedHashMap;
import java.util.Locale;
import java.util.Map;

/** One applet of a page: the attributes of its applet tag and the parameters inside it. */
final class AppletTag {
    static final int DEFAULT_SIZE = 100;

    final Map<String, String> attributes = new LinkedHashMap<>();
    final Map<String, String> parameters = new LinkedHashMap<>();

    String attribute(String name) {
        return attributes.get(name.toLowerCase(Locale.ROOT));
    }

    /** The code attribute as written ("a.b.Name.class"), for the window's title. */
    String code() {
        String code = attribute("code");
        return code == null ? "" : code.trim();
    }

    /** The class to load: the code attribute without ".class", with dots for slashes. */
    String className() {
        String name = code();
        if (name.endsWith(".class"))
            name = name.substring(0, name.length() - ".class".length());
        return name.replace('/', '.').replace('\\', '.');
    }

    int width() {
        return size("width");
    }

    int height() {
        return size("height");
    }

    /** Parameter names are matched in any case, as the applet tag's own are. */
    String parameter(String name) {
        return name == null ? null : parameters.get(name.toLowerCase(Locale.ROOT));
    }

    private int size(String name) {
        String value = attribute(name);
        if (value == null)
            return DEFAULT_SIZE;
        try {
            int size = Integer.parseInt(value.trim());
            return size > 0 ? size : DEFAULT_SIZE;
        } catch (NumberFormatException notANumber) {
            return DEFAULT_SIZE;
        }
    }
}
