package tarneljava.appletviewer;

import java.applet.Applet;
import java.awt.EventQueue;
import java.awt.GraphicsEnvironment;
import java.lang.reflect.Constructor;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Modifier;
import java.net.MalformedURLException;
import java.net.URISyntaxException;
import java.net.URL;
import java.net.URLClassLoader;
import java.util.ArrayList;
import java.util.List;

/** Loads an applet's class from its code base and opens its window. */
final class AppletStart {
    private AppletStart() {}

    /** null when the window is open, else the line that says why not. */
    static String open(AppletTag tag, URL documentBase) {
        String name = tag.className();
        if (name.isEmpty())
            return "<applet> 标记缺少 code 属性。";
        // Every value of the page is the learner's: any that makes no URL, or no URL a class
        // can be loaded from ("%zz"), is one line naming it.
        URL codeBase;
        List<URL> path = new ArrayList<>();
        try {
            codeBase = codeBaseOf(tag, documentBase);
            codeBase.toURI();
        } catch (MalformedURLException | URISyntaxException | RuntimeException bad) {
            return "小应用程序 " + name + " 的 codebase 无效: " + tag.attribute("codebase");
        }
        path.add(codeBase);
        String archive = tag.attribute("archive");
        if (archive != null) {
            for (String jar : archive.split(",")) {
                if (jar.trim().isEmpty())
                    continue;
                try {
                    URL url = new URL(codeBase, jar.trim());
                    url.toURI();
                    path.add(url);
                } catch (MalformedURLException | URISyntaxException | RuntimeException bad) {
                    return "小应用程序 " + name + " 的 archive 无效: " + jar.trim();
                }
            }
        }
        URLClassLoader loader = new URLClassLoader(path.toArray(new URL[0]), AppletStart.class.getClassLoader());
        Class<?> type;
        try {
            type = Class.forName(name, false, loader);
        } catch (ClassNotFoundException missing) {
            return "找不到小应用程序的类 " + name + " (在 " + codeBase + " 中)。";
        } catch (LinkageError wrong) {
            return "无法加载小应用程序的类 " + name + ": " + wrong.getMessage();
        } catch (RuntimeException bad) {
            return "无法从 " + codeBase + " 加载小应用程序的类 " + name + ": " + bad.getMessage();
        }
        if (!Applet.class.isAssignableFrom(type))
            return name + " 不是小应用程序: 它不是 java.applet.Applet 的子类。";
        if (GraphicsEnvironment.isHeadless())
            return "无法打开小应用程序的窗口: 没有图形显示。";
        Applet applet;
        try {
            Constructor<?> make = type.getConstructor();
            if (Modifier.isAbstract(type.getModifiers()))
                return "无法创建小应用程序 " + name + ": 它是抽象类。";
            applet = (Applet) make.newInstance();
        } catch (NoSuchMethodException | IllegalAccessException noConstructor) {
            return "无法创建小应用程序 " + name + ": 它需要一个公共的无参数构造方法。";
        } catch (InvocationTargetException | InstantiationException | ExceptionInInitializerError fault) {
            Throwable cause = fault.getCause() != null ? fault.getCause() : fault;
            cause.printStackTrace();
            return "无法创建小应用程序 " + name + "。";
        }
        AppletWindow window = new AppletWindow(tag, documentBase, codeBase, applet);
        EventQueue.invokeLater(window::run);
        return null;
    }

    /** The codebase attribute against the page's folder; the page's folder without one. */
    private static URL codeBaseOf(AppletTag tag, URL documentBase) throws MalformedURLException {
        String codebase = tag.attribute("codebase");
        URL folder = new URL(documentBase, ".");
        if (codebase == null || codebase.trim().isEmpty())
            return folder;
        String base = codebase.trim().replace('\\', '/');
        return new URL(folder, base.endsWith("/") ? base : base + "/");
    }
}
